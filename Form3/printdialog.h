#pragma once

// The print dialog (Form3) as the window reaches it: a module of its own,
// stripewell-print-dialog.so, which alone links Qt's print support and the
// print service's library, so that the window starts without them. The
// window loads the module when the person first asks to print
// (Module1::LoadPrintDialog) and takes from it one function, which makes the
// dialog.

class QDialog;
class QString;
class QWidget;

// Makes the print dialog for what the window shows: name and the code of 13
// digits, owned by parent. The caller runs it and deletes it.
using PrintDialogFactory = QDialog* (*)(const QString& name, const QString& code, QWidget* parent);

// The name under which the module exports its PrintDialogFactory.
inline constexpr char kPrintDialogFactory[] = "StripewellPrintDialog";
