// The fixed texts of the help windows, kept as files under help/ and built
// into the program.
#pragma once

#include <QString>

namespace morvane {

// The text of help/<name>, or "" when it is missing.
QString HelpText(const QString& name);

}  // namespace morvane
