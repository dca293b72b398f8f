// The one function of the print dialog's module (see printdialog.h).

#include "Form3/printdialog.h"

#include <type_traits>

#include "Form3/Form3.h"

extern "C" Q_DECL_EXPORT QDialog* StripewellPrintDialog(const QString& name, const QString& code,
                                                        QWidget* parent) {
    return new Form3(name, code, parent);
}

static_assert(std::is_same_v<decltype(&StripewellPrintDialog), PrintDialogFactory>,
              "the module's function is the one the window calls");
