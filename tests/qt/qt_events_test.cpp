// What the Qt window tells a form, and when: the Windows meanings of its
// events, and an error that leaves an event procedure shown in a French
// message box while the window goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "runtime/qt/form_registry.h"
#include "runtime/qt/form_window.h"
#include "runtime/runtime_error.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Liste1;
using feuille1::Texte1_1;

// A form that writes down its events, with the upper field's text as each
// event sees it.
class RecordingEvents final : public runtime::FormEvents {
 public:
  explicit RecordingEvents(runtime::Form& form) : form_(form) {}

  void load() override { record("load"); }
  void change(runtime::ControlId /*textBox*/) override { record("change"); }
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t keyAscii) override {
    record("keyPress " + std::to_string(keyAscii));
  }
  void keyDown(std::int16_t keyCode) override { record("keyDown " + std::to_string(keyCode)); }
  void saveRequested(runtime::ControlId /*list*/) override { record("saveRequested"); }
  void unload() override { record("unload"); }

  std::vector<std::string> events;

 private:
  void record(const std::string& event) { events.push_back(event + " [" + form_.text(Texte1_1) + "]"); }

  runtime::Form& form_;
};

TEST(QtEvents, TellTheFormOfEveryKeyBeforeTheFieldHandlesIt) {
  runtime::qt::FormRegistry forms;
  RecordingEvents* recorded = nullptr;
  runtime::qt::FormWindow& form = forms.open(feuille1::layout(), [&recorded](runtime::Form& window) {
    auto events = std::make_unique<RecordingEvents>(window);
    recorded = events.get();
    return events;
  });
  auto& upper = dynamic_cast<QLineEdit&>(form.widget(Texte1_1));
  QTest::keyClick(&upper, Qt::Key_A);
  QTest::keyClick(&upper, Qt::Key_Backspace);
  QTest::keyClick(&form.widget(Liste1), Qt::Key_Escape);
  upper.setText("7");
  form.QWidget::close();
  EXPECT_EQ(
      recorded->events,
      (std::vector<std::string>{"load []", "keyDown 65 []", "keyPress 97 []", "change [a]", "keyDown 8 [a]",
                                "keyPress 8 [a]", "change []", "keyDown 27 []", "change [7]", "unload [7]"}));
  EXPECT_FALSE(form.isVisible());
}

// A form whose key-press procedure fails every time.
class FailingForm final : public runtime::FormEvents {
 public:
  void load() override {}
  void change(runtime::ControlId /*textBox*/) override {}
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {
    throw runtime::RuntimeError("Dépassement de capacité.");
  }
  void keyDown(std::int16_t /*keyCode*/) override {}
  void saveRequested(runtime::ControlId /*list*/) override {}
  void unload() override {}
};

TEST(QtEvents, ShowAnErrorInFrenchAndTheWindowGoesOn) {
  runtime::qt::FormRegistry forms;
  runtime::qt::FormWindow& form = forms.open(
      feuille1::layout(), [](runtime::Form& /*window*/) { return std::make_unique<FailingForm>(); });
  auto& upper = dynamic_cast<QLineEdit&>(form.widget(Texte1_1));

  for (int attempt = 1; attempt <= 2; ++attempt) {
    QString shown;
    QTimer answer;  // answers the message box once it shows
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->accept();
      }
    });
    answer.start(0);
    QTest::keyClick(&upper, Qt::Key_A);
    EXPECT_EQ(shown, QString::fromUtf8("Erreur d'exécution : Dépassement de capacité."))
        << "attempt " << attempt;
    EXPECT_EQ(upper.text(), attempt == 1 ? "a" : "aa") << "the field still handles the key";
  }
}

}  // namespace
