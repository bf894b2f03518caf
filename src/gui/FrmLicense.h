// The licence text.
#pragma once

#include <QDialog>

namespace morvane {

class FrmLicense : public QDialog {
 public:
  explicit FrmLicense(QWidget* parent = nullptr);
};

}  // namespace morvane
