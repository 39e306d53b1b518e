#include "window_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "quiz/window_language.h"

namespace zelkon {

namespace {

bool LoadQtTexts(QTranslator& translator, Language language) {
    return translator.load(QStringLiteral("qtbase_") + QString::fromLatin1(LanguageCode(language)),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace

WindowTranslations::WindowTranslations(QObject* parent) : QObject(parent) {
    SetUiLanguage(Language::Japanese);
    if (LoadQtTexts(m_qt, Language::Japanese)) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

WindowTranslations::~WindowTranslations() = default;

void WindowTranslations::apply(Language language) {
    SetUiLanguage(language);
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_own);
    // Japanese is the source language: it needs no translation of the program's own.
    if (language == Language::English && m_own.load(QStringLiteral(":/i18n/zelkon_en.qm"))) {
        QCoreApplication::installTranslator(&m_own);
    }
    // Without Qt's catalogue of a language its dialogs speak English, Qt's own language.
    if (LoadQtTexts(m_qt, language)) {
        QCoreApplication::installTranslator(&m_qt);
    }
    RetranslateUiTexts();
}

}  // namespace zelkon
