#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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

// The language a locale name such as "ja_JP.UTF-8" or "en" is of.
QString LanguageOf(const QString& name) {
    return name.section(u'_', 0, 0).section(u'.', 0, 0).section(u'@', 0, 0);
}

}  // namespace

bool AsksForJapanese(const QString& lcAll, const QString& lcMessages, const QString& lang,
                     const QString& language) {
    const QString messages = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    const QString spoken = LanguageOf(messages);
    if (spoken.isEmpty() || spoken == u"C" || spoken == u"POSIX")
        return false;
    for (const QString& each : language.split(u':', Qt::SkipEmptyParts)) {
        const QString asked = LanguageOf(each);
        if (asked == u"ja" || asked == u"en")
            return asked == u"ja";
    }
    return spoken == u"ja";
}

void QuietLocaleNote() {
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(DropLocaleNote);
}

bool UseLanguage(Language language) {
    if (japanese)
        return true;
    if (language == Language::FromLocale &&
        !AsksForJapanese(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                         qEnvironmentVariable("LANG"), qEnvironmentVariable("LANGUAGE")))
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
