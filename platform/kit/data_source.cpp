#include "data_source.h"

#include <QtWidgets/QWidget>
#include <algorithm>

namespace kit {

DataLink::~DataLink() {
    if (m_source) m_source->removeLink(this);
}

void DataLink::setDataSource(DataSource* source) {
    if (m_source == source) return;
    if (m_source) m_source->removeLink(this);
    m_source = nullptr;
    if (source) source->addLink(this);
    sourceChanged();
}

void DataLink::unbindQuietly() {
    if (m_source) m_source->removeLink(this);
}

bool DataLink::focusField(const QString& fieldName) {
    if (boundFieldName().compare(fieldName, Qt::CaseInsensitive) != 0) return false;
    QWidget* w = control();
    if (!w || !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus) return false;
    w->setFocus(Qt::OtherFocusReason);
    return true;
}

DataSource::DataSource(host::Dataset* dataset) { setDataset(dataset); }

DataSource::~DataSource() {
    detach();
    const auto links = m_links;
    m_links.clear();
    for (DataLink* link : links) {
        link->m_source = nullptr;
        link->sourceChanged();
    }
}

void DataSource::attach() {
    if (!m_dataset) return;
    m_listenerId = m_dataset->addListener([this](const host::DataEvent& e) { forward(e); });
}

void DataSource::detach() {
    if (m_dataset && m_listenerId) m_dataset->removeListener(m_listenerId);
    m_listenerId = 0;
}

void DataSource::setDataset(host::Dataset* dataset) {
    if (m_dataset == dataset) return;
    detach();
    m_dataset = dataset;
    attach();
    notifySourceChanged();
}

void DataSource::setEnabled(bool on) {
    if (m_enabled == on) return;
    m_enabled = on;
    notifySourceChanged();
}

bool DataSource::isActive() const { return m_enabled && m_dataset && m_dataset->active(); }

host::DatasetState DataSource::state() const {
    return (m_enabled && m_dataset) ? m_dataset->state() : host::DatasetState::Inactive;
}

bool DataSource::editing() const { return m_enabled && m_dataset && m_dataset->editing(); }

host::Field* DataSource::findField(const QString& name) const {
    if (!isActive() || name.isEmpty()) return nullptr;
    return m_dataset->findField(name);
}

void DataSource::edit() {
    if (!isActive()) return;
    m_dataset->edit();
}

void DataSource::updateRecord() {
    const auto links = m_links;
    for (DataLink* link : links) {
        if (!hasLink(link) || !link->hasPendingEdit()) continue;
        try {
            link->commitPendingEdit();
        } catch (...) {
            if (QWidget* w = link->control(); w && w->isVisible() && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
            throw;
        }
    }
}

void DataSource::post() {
    if (!isActive()) return;
    updateRecord();
    m_dataset->post();
}

void DataSource::cancel() {
    if (!isActive()) return;
    m_dataset->cancel();
}

void DataSource::first() {
    if (!isActive()) return;
    updateRecord();
    m_dataset->first();
}

void DataSource::prior() {
    if (!isActive()) return;
    updateRecord();
    m_dataset->prior();
}

void DataSource::next() {
    if (!isActive()) return;
    updateRecord();
    m_dataset->next();
}

void DataSource::last() {
    if (!isActive()) return;
    updateRecord();
    m_dataset->last();
}

bool DataSource::focusField(const QString& fieldName) {
    const auto links = m_links;
    for (DataLink* link : links)
        if (hasLink(link) && link->focusField(fieldName)) return true;
    return false;
}

void DataSource::forward(const host::DataEvent& event) {
    if (!m_enabled) return;
    if (event.kind == host::DataEvent::UpdateRecord) {
        updateRecord();  // the edit ends from code: write what is still typed in the controls
        return;
    }
    // Copy: a control may bind or unbind while being told.
    const auto links = m_links;
    for (DataLink* link : links)
        if (hasLink(link)) link->dataEvent(event);
    switch (event.kind) {
    case host::DataEvent::StateChanged:
        if (onStateChange) onStateChange(*this);
        break;
    case host::DataEvent::RecordChanged:
        if (onDataChange) onDataChange(*this, event.field);
        break;
    case host::DataEvent::DataSetChanged:
    case host::DataEvent::Scrolled:
        if (onDataChange) onDataChange(*this, nullptr);
        break;
    case host::DataEvent::UpdateRecord:
        break;
    }
}

void DataSource::notifySourceChanged() {
    const auto links = m_links;
    for (DataLink* link : links)
        if (hasLink(link)) link->sourceChanged();
    if (onStateChange) onStateChange(*this);
    if (onDataChange) onDataChange(*this, nullptr);
}

void DataSource::addLink(DataLink* link) {
    if (!hasLink(link)) m_links.push_back(link);
    link->m_source = this;
}

void DataSource::removeLink(DataLink* link) {
    std::erase(m_links, link);
    if (link->m_source == this) link->m_source = nullptr;
}

bool DataSource::hasLink(DataLink* link) const { return std::find(m_links.begin(), m_links.end(), link) != m_links.end(); }

}  // namespace kit
