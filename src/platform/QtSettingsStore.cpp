#include "platform/QtSettingsStore.h"

#include <iostream>
#include <utility>

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace polvane {

namespace {

// What the QSettings store itself stands for; the rest of the key path and the sub-keys
// become its groups.
constexpr std::string_view kStoreRoot = "software\\Quesselcorp\\Polvane\\";
static_assert(SettingsStore::kKeyPath.starts_with(kStoreRoot));

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyFor(std::string_view subKey, std::string_view name)
{
    return ToQString(QtSettingsStore::GroupFor(subKey)) + QLatin1Char('/') + ToQString(name);
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Quesselcorp"),
                                            QStringLiteral("Polvane")))
{
}

QtSettingsStore::QtSettingsStore(const std::string& iniFile)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniFile),
                                            QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::GroupFor(std::string_view subKey)
{
    std::string group(kKeyPath.substr(kStoreRoot.size()));
    if (!subKey.empty()) {
        group += '/';
        group += subKey;
    }
    for (char& c : group) {
        if (c == '\\')
            c = '/';
    }
    return group;
}

std::string QtSettingsStore::Location() const { return settings_->fileName().toStdString(); }

std::optional<std::string> QtSettingsStore::ReadValue(std::string_view subKey,
                                                      std::string_view name) const
{
    const QVariant value = settings_->value(KeyFor(subKey, name));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QStringList:
        // An INI value edited by hand without quotes reads as a list when it holds commas,
        // as every colour does.
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    default:
        return std::nullopt;
    }
}

void QtSettingsStore::WriteValue(std::string_view subKey, std::string_view name,
                                 std::string_view value)
{
    settings_->setValue(KeyFor(subKey, name), ToQString(value));
    // Written at once, so that a run that ends abnormally keeps what it stored.
    settings_->sync();
    if (settings_->status() == QSettings::AccessError && !writeFailureReported_) {
        writeFailureReported_ = true;
        const std::string message = "The settings cannot be saved to \"" + Location() +
                                    "\". Changes to the options, the window places and the "
                                    "recent files will be lost when the program ends.";
        if (reportWriteFailure_)
            reportWriteFailure_(message);
        else
            std::cerr << message << '\n';
    }
}

void QtSettingsStore::OnWriteFailure(std::function<void(const std::string&)> report)
{
    reportWriteFailure_ = std::move(report);
}

} // namespace polvane
