#pragma once

// The main window. Every change of a box and every click on the automatic
// check digit box runs one redraw, Text1_Change: the symbol core composes the
// code from the boxes, computes the check digit, builds the module pattern
// and draws name, bars and digits on Picture1's canvas, which repaints the
// box. The buttons take that picture out: enlarged view, clipboard, file.

#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class PictureBox;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // The controls, named as in the layout.
    QLineEdit* Text1;                      // the twelve data digits
    QLineEdit* Text2;                      // the name
    QLineEdit* Text3;                      // the check digit
    QCheckBox* Check1;                     // append the check digit automatically
    QCheckBox* Check2;                     // keep the window above all others
    std::array<QPushButton*, 3> Command1;  // 0 "Zoom", 1 "Copy", 2 "Save"
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    PictureBox* Picture1;

    // Where the print action looks for the print dialog's module, first
    // found first: Module1::PrintDialogPlaces() unless set otherwise.
    QStringList PrintDialogPlaces;

    // The program's icon, in the three sizes it is drawn in.
    static QIcon ProgramIcon();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    // The redraw: runs on every edit, directly or through the handlers below.
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Check1_Click();
    void Check2_Click();
    // A key typed into a box; setting keyAscii to 0 swallows it.
    void Text1_KeyPress(int& keyAscii);
    void Text2_KeyPress(int& keyAscii);
    void Text3_KeyPress(int& keyAscii);
    void Command1_Click(int Index);
    void Picture1_DblClick();
    // The code the picture shows: the boxes' code, its check digit computed
    // while Check1 is checked.
    QString DrawnCode() const;
    // The print dialog, for what the picture shows or a product list, from
    // its module; without the module, a message box says why and the window
    // goes on.
    void PrintPicture();

    // The commands behind the buttons.
    void CopyPicture();
    void SavePicture();
    // Asks before a file that the dialog did not ask about is replaced.
    bool ConfirmReplace(const QString& path);

    void CreateControls();
    // Moves the focus to a box and selects all of its text.
    static void FocusAndSelectAll(QLineEdit* box);
    // Locks or frees the check-digit box, bold while locked.
    void SetCheckDigitLocked(bool locked);
    // Shows in the check-digit box that its digit is not the computed one:
    // red, with hint as its tooltip; as usual when hint is "".
    void MarkCheckDigit(const QString& hint);

    // A code pasted into Text1: the thirteen digits the box cut to twelve,
    // until the redraw takes them; and, while Text1 holds its twelve, such a
    // code whose thirteenth digit is not their check digit, which is shown.
    QString CutCode;
    QString PastedCode;
    // The redraw's look at a cut code: kept when its thirteenth digit is
    // wrong and said beside the check-digit box; a later edit drops it.
    void TakePastedCode();

    // True while the redraw runs: its own write of Text3 must not redraw again.
    bool Updating = false;
    // The length of Text1's text at the end of the previous redraw.
    qsizetype PrevLength = 0;
};
