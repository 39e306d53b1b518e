#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace zelkon {

// The text that `zelkon --help` or `zelkon --version` prints instead of opening the window, or
// nothing. Every other argument is left to Qt and the window, which ignore it as they always did.
// `arguments` starts with the program's name, as argv does.
[[nodiscard]] std::optional<QString> startupReply(const QStringList& arguments);

}  // namespace zelkon
