#pragma once
// The search dialog (`Procura`): the user chooses one of the dataset's visible
// columns, types a value and presses "Procurar": the dataset moves to the first
// row whose text in that column starts with the value (or holds it anywhere,
// by choice), letter case and accents ignored; "Próximo" looks further down
// from the current row. "Registro não encontrado." when no row matches; the
// dataset then stays where it was. The text compared is what the grids show
// (the field's display text), so the user types what they see.
#include "host/data/dataset.h"

#include <QtWidgets/QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kit {

class SearchDialog : public QDialog {
public:
    // initialField: the column chosen at start (the grid's current column); empty: the first.
    explicit SearchDialog(host::Dataset& dataset, QWidget* parent = nullptr, const QString& initialField = {});

    QComboBox* fieldBox() const { return m_fields; }
    QLineEdit* valueBox() const { return m_value; }
    QRadioButton* startsWithButton() const { return m_startsWith; }
    QRadioButton* containsButton() const { return m_contains; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* closeButton() const { return m_close; }

    // What the buttons do; true when a row was found (and is now current).
    bool findFirst();
    bool findNext();

private:
    bool findFrom(int viewRow);
    void criteriaChanged();

    host::Dataset& m_dataset;
    QComboBox* m_fields;
    QLineEdit* m_value;
    QRadioButton* m_startsWith;
    QRadioButton* m_contains;
    QPushButton* m_find;
    QPushButton* m_next;
    QPushButton* m_close;
};

// Opens the search dialog over the dataset (nothing happens when it is closed).
void Procura(host::Dataset& dataset, QWidget* parent = nullptr, const QString& initialField = {});

}  // namespace kit
