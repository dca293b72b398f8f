#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pipeline {
namespace {

bool japanese = false;
QtMessageHandler previousHandler = nullptr;

void DropLocaleNote(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(u"Detected locale \"") &&
        message.contains(u"which is not UTF-8"))
        return;
    previousHandler(type, context, message);
}

bool AsksForJapanese() {
    const QStringList languages = QLocale::system().uiLanguages();
    // The first language the locale names decides; "ja", "ja-JP" alike.
    return !languages.isEmpty() &&
           (languages.first() == u"ja" || languages.first().startsWith(u"ja-"));
}

}  // namespace

void QuietLocaleNote() {
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(DropLocaleNote);
}

bool UseLanguage(Language language) {
    if (japanese)
        return true;
    if (language == Language::FromLocale && !AsksForJapanese())
        return false;
    auto* catalogue = new QTranslator(QCoreApplication::instance());
    if (!catalogue->load(QStringLiteral(":/i18n/stripewell_ja.qm"))) {
        delete catalogue;
        return false;
    }
    QCoreApplication::installTranslator(catalogue);
    // Qt's own, for QFile's and QSaveFile's reasons; the program's catalogue
    // speaks for itself when it is missing.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    japanese = true;
    return true;
}

bool SpeaksJapanese() {
    return japanese;
}

}  // namespace pipeline
