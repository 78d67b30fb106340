#include "pick_dialog.h"

#include <QtCore/QAbstractTableModel>
#include <QtCore/QCoreApplication>
#include <QtCore/QSortFilterProxyModel>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <QtWidgets/QVBoxLayout>

namespace kit {

namespace {

// Lower case without accents, so "joao" finds "João".
QString folded(const QString& s) {
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) out += c.toCaseFolded();
    return out;
}

}  // namespace

// The rows of the list; in multiple mode column 0 is the tick box.
class PickModel : public QAbstractTableModel {
public:
    PickModel(const host::PickList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {
        m_ticked.assign(m_list.rows.size(), false);
        m_search.reserve(m_list.rows.size());
        for (const host::PickRow& r : m_list.rows) m_search.push_back(folded(r.columns.join(u'\x1f')));
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_list.rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_list.headers.size()) + offset();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const host::PickRow& r = m_list.rows[size_t(index.row())];
        if (m_list.multiple && index.column() == 0) {
            if (role == Qt::CheckStateRole) return m_ticked[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
            return {};
        }
        const int c = index.column() - offset();
        if (role == Qt::DisplayRole && c < r.columns.size()) return r.columns[c];
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!m_list.multiple || index.column() != 0 || role != Qt::CheckStateRole) return false;
        m_ticked[size_t(index.row())] = value.toInt() == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_list.multiple && index.column() == 0) f |= Qt::ItemIsUserCheckable;
        return f;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const int c = section - offset();
        return c >= 0 && c < m_list.headers.size() ? QVariant(m_list.headers[c]) : QVariant(QString());
    }
    void toggle(int row) { setData(index(row, 0), m_ticked[size_t(row)] ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole); }
    void setAll(bool on) {
        std::fill(m_ticked.begin(), m_ticked.end(), on);
        if (!m_ticked.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    }
    bool ticked(int row) const { return m_ticked[size_t(row)]; }
    bool matches(int row, const QString& foldedText) const { return m_search[size_t(row)].contains(foldedText); }
    const QString& code(int row) const { return m_list.rows[size_t(row)].code; }
    int offset() const { return m_list.multiple ? 1 : 0; }

private:
    host::PickList m_list;
    std::vector<bool> m_ticked;
    std::vector<QString> m_search;
};

namespace {

class SearchProxy : public QSortFilterProxyModel {
public:
    SearchProxy(PickModel* model, QObject* parent) : QSortFilterProxyModel(parent), m_model(model) {
        setSourceModel(model);
    }
    void setText(const QString& text) {
        m_text = folded(text.trimmed());
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        return m_text.isEmpty() || m_model->matches(row, m_text);
    }

private:
    PickModel* m_model;
    QString m_text;
};

}  // namespace

PickDialog::PickDialog(const host::PickList& list, QWidget* parent)
    : QDialog(parent), m_multiple(list.multiple), m_model(new PickModel(list, this)),
      m_proxy(new SearchProxy(m_model, this)), m_search(new QLineEdit(this)), m_table(new QTableView(this)) {
    setWindowTitle(list.title.isEmpty() ? QStringLiteral("Pesquisa") : list.title);
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Pesquisar:"), this);
    label->setBuddy(m_search);
    m_search->setPlaceholderText(QStringLiteral("Digite parte de qualquer coluna"));
    m_search->setClearButtonEnabled(true);
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    m_table->setModel(m_proxy);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder);  // the list's own order until a title is clicked
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    if (list.rows.size() <= 2000) m_table->resizeColumnsToContents();
    layout->addWidget(m_table, 1);

    auto* buttons = new QDialogButtonBox(this);
    if (m_multiple) {
        auto* all = buttons->addButton(QStringLiteral("&Marcar todos"), QDialogButtonBox::ActionRole);
        auto* none = buttons->addButton(QStringLiteral("&Desmarcar todos"), QDialogButtonBox::ActionRole);
        connect(all, &QPushButton::clicked, this, [this] { setAllTicked(true); });
        connect(none, &QPushButton::clicked, this, [this] { setAllTicked(false); });
    }
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PickDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PickDialog::reject);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& t) { searchChanged(t); });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_multiple && index.column() == 0) return;  // a double click on the tick box only ticks
        accept();
    });
    m_search->installEventFilter(this);
    m_table->installEventFilter(this);
    if (m_proxy->rowCount() > 0) m_table->setCurrentIndex(m_proxy->index(0, m_model->offset()));

    int width = 40;
    for (int c = 0; c < m_proxy->columnCount(); ++c) width += m_table->columnWidth(c);
    resize(std::clamp(width, 420, 900), 420);
    m_search->setFocus();
}

PickDialog::~PickDialog() = default;

int PickDialog::visibleRowCount() const { return m_proxy->rowCount(); }

QString PickDialog::currentCode() const {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) return {};
    return m_model->code(m_proxy->mapToSource(current).row());
}

QStringList PickDialog::chosenCodes() const { return m_chosen; }

void PickDialog::searchChanged(const QString& text) {
    m_choosingRow = false;
    static_cast<SearchProxy*>(m_proxy)->setText(text);
    if (m_proxy->rowCount() > 0) m_table->setCurrentIndex(m_proxy->index(0, m_model->offset()));
}

void PickDialog::setAllTicked(bool on) { m_model->setAll(on); }

void PickDialog::accept() {
    m_chosen.clear();
    if (m_multiple)
        for (int r = 0; r < m_model->rowCount(); ++r)
            if (m_model->ticked(r)) m_chosen << m_model->code(r);
    if (m_chosen.isEmpty()) {
        const QString code = currentCode();
        if (code.isNull()) return;  // nothing to pick: stay open
        m_chosen << code;
    }
    QDialog::accept();
}

bool PickDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(event);
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_search) {  // the search box steers the list
            QCoreApplication::sendEvent(m_table, event);
            m_choosingRow = true;
            return true;
        }
        return false;
    case Qt::Key_Space:
        // In the search box Space ticks while there is nothing to search for yet
        // or once the user moved along the list; while typing it is part of the text.
        if (watched == m_search && !(m_search->text().isEmpty() || m_choosingRow)) return false;
        if (m_multiple && k->modifiers() == Qt::NoModifier && m_table->currentIndex().isValid()) {
            m_model->toggle(m_proxy->mapToSource(m_table->currentIndex()).row());
            return true;
        }
        return false;
    default:
        return false;
    }
}

}  // namespace kit
