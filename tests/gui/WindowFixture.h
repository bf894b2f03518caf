// A main window with scripted dialogs, and helpers that act on its widgets
// the way a user does.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "gui/FrmMorvane.h"

namespace morvane {

class ScriptedDialogs : public DialogHost {
 public:
  std::optional<QString> openFile(QWidget*, Dialog dialog, const QString& offered) override {
    asked.push_back(dialog);
    this->offered.push_back(offered);
    if (onOpen) onOpen();
    auto& queue = answers[dialog];
    if (queue.empty()) return std::nullopt;
    // Taken apart so that GCC's -O3 sees the optional's state (no false
    // maybe-uninitialized warning).
    if (!queue.front().has_value()) {
      queue.pop_front();
      return std::nullopt;
    }
    const QString answer = *queue.front();
    queue.pop_front();
    return answer;
  }
  void errorBox(QWidget*, const QString& text) override { errors << text; }
  void warningBox(QWidget*, const QString& title, const QString& text) override {
    warnings << title + ": " + text;
  }
  void noticeBox(QWidget*, const QString&, const QString& text) override { notices << text; }

  std::map<Dialog, std::deque<std::optional<QString>>> answers;
  std::function<void()> onOpen;
  std::vector<Dialog> asked;
  QStringList offered, errors, warnings, notices;
};

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<FrmMorvane>([] { return 0; });
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    window->setDialogHost(std::move(scripted));
    window->show();
  }

  template <typename W = QWidget>
  W* find(const QString& name) const {
    W* widget = window->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
  QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }
  QRadioButton* option(const char* name, int index) const {
    return find<QRadioButton>(QString("%1(%2)").arg(name).arg(index));
  }
  QString text(const char* name) const { return box(name)->text(); }
  void click(QAbstractButton* target) const { QTest::mouseClick(target, Qt::LeftButton); }
  // Selects the whole box and types keys over it, one change per key.
  void retype(const char* name, const QString& keys) const {
    QLineEdit* target = box(name);
    target->setFocus();
    target->selectAll();
    if (keys.isEmpty()) {
      QTest::keyClick(target, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(target, keys);
    }
  }
  const Settings& settings() const { return window->model().settings(); }

  std::unique_ptr<FrmMorvane> window;
  ScriptedDialogs* dialogs = nullptr;
};

}  // namespace morvane
