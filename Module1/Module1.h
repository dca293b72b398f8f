#pragma once

// Thin wrappers over what the platform does for a window: speak Japanese in
// the texts the toolkit supplies, keep a window above all others, ask for the
// path of a file to write, write a picture as a bitmap file, and load the
// print dialog's module.

#include <QString>
#include <QStringList>

#include "Form3/printdialog.h"

class QImage;
class QWidget;

namespace Module1 {

// Loads the toolkit's own Japanese texts (dialogs, buttons, system reasons)
// and makes Japanese the default locale, whatever the system's locale is:
// the program speaks Japanese. False when the translation is not installed.
bool LoadJapanese();

// Puts a window into the window manager's always-on-top band, or takes it
// back out, without hiding, moving or resizing it.
void SetTopmost(QWidget* window, bool on);

// Asks for the path of a file to write, in a modal save-file dialog owned by
// owner. filter holds pairs of display text and pattern, each item ended by a
// NUL character ("*.*" stands for every file, names without a dot included);
// filterIndex selects the pair shown first. The dialog opens in initialDir
// unless it is null, with defaultName in its name field; names of files that
// do not exist yet are accepted, and an existing file is replaced only after
// the dialog has asked. No suffix is added. A folder that does not exist, or
// a name longer than the folder's file system takes, is refused in the dialog
// itself, which says so and stays open. Nothing of the dialog is written into
// the person's home.
// Returns the full path, or "" when the person cancels; on a path, filterIndex
// is set to the pair that was selected.
QString ShowSaveDialog(QWidget* owner, const QString& title, const QString& filter,
                       const QString& initialDir, const QString& defaultName, int& filterIndex);

// Writes the picture as a Windows bitmap (BMP) file, whatever the path's
// extension. The file is put in place only when every byte was written, so a
// failed write leaves an existing file as it was. Returns false with the
// reason in error when the file could not be written.
bool SavePicture(const QImage& picture, const QString& path, QString* error);

// The reason a write failed, as a person reads it: in Japanese for the common
// causes (no permission, no space left, read-only file system, no such
// folder, a folder in the way, a name or a file too large), else the
// system's text. errorText is what the file said, errorCode the errno then.
QString FailureReason(const QString& errorText, int errorCode);

// A warning in a modal message box with a Japanese close button.
void Warn(QWidget* owner, const QString& title, const QString& text);

// Where the program looks for the print dialog's module, in order: among the
// package's private libraries, found from the program's own folder so that an
// installation under any prefix takes its own module; then beside the program,
// as in the build tree.
QStringList PrintDialogPlaces();

// The print dialog's factory from the module at the first of places that is
// a file. The module is loaded once and stays loaded. Null, with the reason
// in Japanese (the loader's own words as its last line, where it gave any),
// when no place holds a file, the file cannot be loaded or has no factory.
PrintDialogFactory LoadPrintDialog(const QStringList& places, QString* reason);

}  // namespace Module1
