#pragma once
// Record navigator: a tool bar with first / prior / next / last over a data
// source, and optionally the display text of one field of the current record
// beside them (the product name of the current item). Moving posts a pending
// edit as any move does; a refused move shows its message and stays.
//
// A button is enabled when the source is active, not empty, there is a row in
// that direction and the screen allows navigating (setAllowed, e.g. only while
// a list is browsed).
#include "data_source.h"

#include <QtWidgets/QToolBar>
#include <array>

namespace kit {

class DBText;

class RecordNavigator : public QToolBar, public DataLink {
public:
    enum Button { First, Prior, Next, Last };

    explicit RecordNavigator(QWidget* parent = nullptr);

    // Points the navigator (and its label) at another data source; null detaches it.
    void bind(DataSource* source) { setDataSource(source); }
    QAction* action(Button button) const { return m_actions[size_t(button)]; }
    // The field shown beside the buttons; empty shows none.
    void setDisplayField(const QString& fieldName);
    DBText* label() const { return m_label; }
    void setAllowed(bool on);
    bool allowed() const { return m_allowed; }
    // Moves as the button does (when it is enabled); true when the move completed.
    bool press(Button button);

    void dataEvent(const host::DataEvent& event) override;
    void sourceChanged() override;

private:
    bool move(Button button);
    void updateButtons();

    std::array<QAction*, 4> m_actions{};
    DBText* m_label = nullptr;
    QAction* m_labelAction = nullptr;
    QString m_field;
    bool m_allowed = true;
};

}  // namespace kit
