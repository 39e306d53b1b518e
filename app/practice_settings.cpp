#include "practice_settings.h"

#include <optional>

#include <QSettings>
#include <QVariant>

namespace zelkon {

PracticeSettings::PracticeSettings(QObject* parent)
    : QObject(parent),
      m_settings(std::make_unique<QSettings>(QString::fromLatin1(kPracticeSettingsName),
                                             QString::fromLatin1(kPracticeSettingsName))) {}

PracticeSettings::~PracticeSettings() = default;

namespace {

// As QSettings writes a bool ("true", "false") or as this file did (1, 0); anything else is
// no bool.
std::optional<bool> ReadBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        return false;
    }
    return std::nullopt;
}

}  // namespace

bool PracticeSettings::boolValue(const QString& key, bool fallback) const {
    return ReadBool(m_settings->value(key)).value_or(fallback);
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
    if (ReadBool(m_settings->value(key)) == value) {
        return;
    }
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
