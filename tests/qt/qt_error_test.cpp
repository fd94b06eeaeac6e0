// An error that leaves an event procedure is shown in a French message box,
// and the window goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>

#include "runtime/qt/form_window.h"
#include "runtime/runtime_error.h"
#include "window/feuille1_layout.h"

namespace {

// A form whose key-press procedure fails every time.
class FailingForm final : public runtime::FormEvents {
 public:
  void load() override {}
  void change(runtime::ControlId /*textBox*/) override {}
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {
    throw runtime::RuntimeError("Dépassement de capacité.");
  }
  void keyDown(std::int16_t /*keyCode*/) override {}
  void unload() override {}
};

TEST(QtRuntimeError, IsShownInFrenchAndTheWindowGoesOn) {
  runtime::qt::FormWindow form(feuille1::layout());
  form.start([](runtime::Form& /*window*/) { return std::make_unique<FailingForm>(); });
  auto& upper = dynamic_cast<QLineEdit&>(form.widget(feuille1::Texte1_1));

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
