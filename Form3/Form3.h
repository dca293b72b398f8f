#pragma once

// The print dialog: the symbol on the screen, or every line of a product
// list, as retail symbols on one sheet of paper each or on the labels of an
// A4 label sheet; previewed and printed through Qt's own print dialogs on any
// printer the system has, each module a whole number of the printer's dots
// (on a roll of labels, one per page). The sheet and the magnification are
// remembered for the next print, and the printer with the media used on it.

#include <QDialog>
#include <QStringList>

#include "labelsource.h"
#include "symbol/family.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QRadioButton;
class QSpinBox;

class Form3 : public QDialog {
    Q_OBJECT

public:
    // name and code: what the main window shows (13 digits).
    Form3(const QString& name, const QString& code, QWidget* parent = nullptr);

    QRadioButton* Option1;  // this symbol
    QRadioButton* Option2;  // a product list
    QLineEdit* ListPath;
    QComboBox* Sheet;  // item 0: one symbol per sheet of paper; then the label sheets
    QSpinBox* Magnification;
    QSpinBox* Copies;
    QSpinBox* Start;  // the first free label of a partly used sheet
    QCheckBox* PrintName;
    QLabel* Summary;           // how many labels and pages
    QPlainTextEdit* Problems;  // the list's lines that cannot be printed

    // Paints every label on the printer's pages. False, with the reason in
    // Summary, when nothing can be printed.
    bool Paint(QPrinter* printer);

    // Reads the list file again and says what it gives.
    void ReadList();

private:
    // The labels to print, each once: this symbol, or the list's.
    QList<pipeline::Label> Labels() const;
    // What the labels hold: the window's JAN, or the list's symbols (book
    // pairs when its header names a book's columns).
    symbol::Symbology LabelSymbology() const;
    void UpdateSummary();
    void ChooseList();
    void Preview();
    void PrintNow();
    void Remember() const;

    QString name_;
    QString code_;
    QString codeProblem_;
    QList<pipeline::Label> listEntries_;
    symbol::Symbology listSymbology_ = symbol::Symbology::Jan13;
};
