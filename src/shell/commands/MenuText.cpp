#include "shell/commands/MenuText.h"

namespace polvane {

QString MenuText::Literal(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

} // namespace polvane
