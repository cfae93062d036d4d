// A tool window whose settings an evaluation file keeps: saved with the
// evaluation of the screen the tool follows, and typed back when the
// evaluation is opened, so that the reopened tool shows what it showed (the
// same chart ranges, the same solve, the same probability run, bit for bit).
#pragma once

#include <QJsonObject>
#include <QString>

namespace vt {

class DesignSource;

class KeptToolSettings {
public:
    virtual ~KeptToolSettings() = default;
    // The screen whose evaluation the settings belong to: the one followed.
    virtual const DesignSource* settingsScreen() const = 0;
    // The settings as typed: every value a text, in objects at most two deep.
    virtual QJsonObject keptSettings() const = 0;
    // Types kept settings back through the window's own change handling. A
    // member it does not know, or whose value is no text, is passed over.
    virtual void restoreSettings(const QJsonObject& settings) = 0;
};

// The text of a kept setting, or none.
inline bool KeptText(const QJsonObject& settings, const char* key, QString* text) {
    const QJsonValue value = settings.value(QLatin1String(key));
    if (!value.isString())
        return false;
    *text = value.toString();
    return true;
}

} // namespace vt
