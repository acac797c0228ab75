#include "platform/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>

namespace ombrix {

QString translate(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

QString translate(const char* context, const std::string& text) {
    return QCoreApplication::translate(context, text.c_str());
}

QString translated(const UserMessage& message) {
    QString whole;
    for (const UserMessage::Sentence& sentence : message.sentences) {
        if (!whole.isEmpty())
            whole += ' ';
        const std::string words = sentence.verbatim
                                      ? std::string(sentence.words)
                                      : translate(textContext, sentence.words).toStdString();
        whole += QString::fromStdString(fillPlaces(words, sentence.fill));
    }
    return whole;
}

QString loadTranslations(QCoreApplication& app) {
    return loadTranslations(app, QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/translations"));
}

QString loadTranslations(QCoreApplication& app, const QString& folder) {
    const QLocale locale = QLocale::system();
    // Under LANG=C the system's locale is "C": the design's own texts, no catalogue.
    if (locale.language() == QLocale::C)
        return {};
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("ombrix"), QStringLiteral("_"), folder)) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->language();
}

} // namespace ombrix
