// The practice features' settings, remembered between runs once the player first changes one.
#pragma once

#include <memory>

#include <QObject>
#include <QString>

class QSettings;
class QVariant;

namespace zelkon {

// Organisation and application name of the settings file.
inline constexpr const char* kPracticeSettingsName = "zelkon";

// Keys of the settings this file's owners keep; others add their own beside their feature.
inline constexpr const char* kExplainKey = "practice/explain";

class PracticeSettings : public QObject {
    Q_OBJECT

public:
    // Reads what an earlier run stored; creates and writes nothing.
    explicit PracticeSettings(QObject* parent = nullptr);
    ~PracticeSettings() override;

    bool boolValue(const QString& key, bool fallback) const;
    int intValue(const QString& key, int fallback) const;
    QString stringValue(const QString& key, const QString& fallback) const;

    // A value equal to the one in force is no change: nothing is written and nothing signalled.
    // A change is written to disk at once, so a killed program keeps it.
    void setBool(const QString& key, bool value);
    void setInt(const QString& key, int value);
    void setString(const QString& key, const QString& value);

    // False until a change could not be stored (read-only or full disk, a foreign file).
    bool storageOk() const { return m_storageOk; }

signals:
    void changed(const QString& key);

private:
    void store(const QString& key, int value);
    void write(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> m_settings;
    bool m_storageOk = true;
};

}  // namespace zelkon
