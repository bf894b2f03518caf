#include "gui/HelpText.h"

#include <QFile>

// The resources live in a static library, so they are registered by hand.
static void RegisterHelpResources() {
  Q_INIT_RESOURCE(help);
}

namespace morvane {

QString HelpText(const QString& name) {
  static const bool registered = (RegisterHelpResources(), true);
  (void)registered;
  QFile file(":/help/" + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace morvane
