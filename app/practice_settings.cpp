#include "practice_settings.h"

#include <QSettings>

namespace zelkon {

PracticeSettings::PracticeSettings(QObject* parent)
    : QObject(parent),
      m_settings(std::make_unique<QSettings>(QString::fromLatin1(kPracticeSettingsName),
                                             QString::fromLatin1(kPracticeSettingsName))) {}

PracticeSettings::~PracticeSettings() = default;

bool PracticeSettings::boolValue(const QString& key, bool fallback) const {
    return intValue(key, fallback ? 1 : 0) != 0;
}

int PracticeSettings::intValue(const QString& key, int fallback) const {
    // A value some other hand wrote that is no number reads as never set.
    bool ok = false;
    const int value = m_settings->value(key, fallback).toInt(&ok);
    return ok ? value : fallback;
}

QString PracticeSettings::stringValue(const QString& key, const QString& fallback) const {
    return m_settings->value(key, fallback).toString();
}

void PracticeSettings::setBool(const QString& key, bool value) {
    store(key, value ? 1 : 0);
}

void PracticeSettings::setInt(const QString& key, int value) {
    store(key, value);
}

void PracticeSettings::store(const QString& key, int value) {
    bool ok = false;
    const int current = m_settings->value(key).toInt(&ok);
    if (ok && current == value) {
        return;
    }
    write(key, value);
}

void PracticeSettings::setString(const QString& key, const QString& value) {
    if (m_settings->contains(key) && m_settings->value(key).toString() == value) {
        return;
    }
    write(key, value);
}

void PracticeSettings::write(const QString& key, const QVariant& value) {
    m_settings->setValue(key, value);
    m_settings->sync();
    m_storageOk = m_settings->status() == QSettings::NoError;
    emit changed(key);
}

}  // namespace zelkon
