#pragma once
// Binds controls to a dataset, the way the screens expect a data source to: the
// controls listen to it instead of the dataset, so it can be re-pointed to
// another dataset or disabled, and it tells the screen about state and data
// changes through onStateChange / onDataChange.
//
// Typed text lives in the controls until they are left; the dataset does not
// know about it. So anything that ends an edit (post, a move) must first call
// updateRecord() (or kit::flushFocusedEditor()), which writes every pending text
// through Field::setText. post() and the moves here do that themselves.
#include "host/data/dataset.h"
#include "host/data/event_list.h"

#include <functional>
#include <vector>

class QWidget;

namespace kit {

class DataSource;

// A control bound to a data source.
class DataLink {
public:
    virtual ~DataLink();
    virtual void dataEvent(const host::DataEvent& event) = 0;
    virtual void sourceChanged() = 0;  // re-pointed, enabled or disabled, or the source is going away
    // Typed text not yet written to the field.
    virtual bool hasPendingEdit() const { return false; }
    virtual void commitPendingEdit() {}  // throws when the field refuses it
    virtual QWidget* control() { return nullptr; }
    virtual QString boundFieldName() const { return {}; }
    // Takes the focus when this control shows that field (a grid also selects the column).
    virtual bool focusField(const QString& fieldName);

    DataSource* dataSource() const { return m_source; }
    void setDataSource(DataSource* source);

protected:
    // Leaves the data source without being told (the control is going away).
    void unbindQuietly();

private:
    friend class DataSource;
    DataSource* m_source = nullptr;
};

class DataSource {
public:
    explicit DataSource(host::Dataset* dataset = nullptr);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    // The dataset must outlive the data source or be detached with setDataset(nullptr):
    // declare a screen's datasets before their data sources.
    void setDataset(host::Dataset* dataset);
    host::Dataset* dataset() const { return m_dataset; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    // Typing into a control puts the dataset in edit state; off, the controls are read-only in browse.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

    // Enabled, with an open dataset.
    bool isActive() const;
    // The dataset's state as the controls see it: Inactive when disabled or unbound.
    host::DatasetState state() const;
    bool editing() const;
    host::Field* findField(const QString& name) const;  // nullptr when inactive or missing

    // Puts the dataset in edit state (insert when empty). Throws what the dataset's handlers throw.
    void edit();
    // Writes the pending text of every bound control; on refusal that control takes the focus and the error is thrown.
    void updateRecord();
    void post();    // updateRecord, then post
    void cancel();  // the controls drop their typed text
    void first();
    void prior();
    void next();
    void last();

    // Gives the focus to a control bound to that field (the grid selects its column).
    bool focusField(const QString& fieldName);

    // Screen reactions: after the controls were told.
    // Each runs its reactions in the order they were added.
    host::EventList<DataSource&> onStateChange;
    host::EventList<DataSource&, host::Field*> onDataChange;  // field null: scroll or whole-set change

    const std::vector<DataLink*>& links() const { return m_links; }

private:
    friend class DataLink;
    void attach();
    void detach();
    void forward(const host::DataEvent& event);
    void notifySourceChanged();
    void addLink(DataLink* link);
    void removeLink(DataLink* link);
    bool hasLink(DataLink* link) const;

    host::Dataset* m_dataset = nullptr;
    int m_listenerId = 0;
    bool m_enabled = true;
    bool m_autoEdit = true;
    std::vector<DataLink*> m_links;
};

}  // namespace kit
