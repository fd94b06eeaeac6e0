// The Qt window as it opens: its controls, their places, texts, colours and
// font, the focus, and what assistive technologies read.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

#include <utility>

#include "tests/qt/qt_window.h"

namespace {

using QtWindowAtStart = QtWindowTest;

QLabel& label(const runtime::qt::FormWindow& form, runtime::ControlId id) {
  return dynamic_cast<QLabel&>(form.widget(id));
}

TEST_F(QtWindowAtStart, AsksForTheUpperBoundWithNothingListed) {
  EXPECT_EQ(form.windowTitle().toStdString(), feuille1::layout().caption);
  EXPECT_EQ(field(Texte1_0).text(), "1");
  EXPECT_EQ(field(Texte1_1).text(), "");
  EXPECT_EQ(form.focusWidget(), &field(Texte1_1));
  EXPECT_EQ(field(Texte1_1).toolTip(), QString::fromUtf8("donnez la borne supérieure et validez"));
  EXPECT_TRUE(field(Texte1_0).toolTip().isEmpty());
  EXPECT_FALSE(form.widget(Label1).isVisible());
  EXPECT_TRUE(list().isVisible());
  EXPECT_EQ(list().count(), 0);
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(label(form, Dessin1).pixmap().size(), QSize(120, 166));
}

TEST_F(QtWindowAtStart, PlacesEveryControlWhereTheLayoutSaysAt96Dpi) {
  EXPECT_EQ(form.size(), QSize(466, 220));
  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window must not be resizable";
  const std::pair<runtime::ControlId, QRect> expected[] = {
      {Dessin1, {8, 16, 122, 168}},        {Etiquette1_0, {136, 32, 109, 13}}, {Texte1_0, {144, 56, 97, 19}},
      {Etiquette1_1, {136, 104, 115, 13}}, {Texte1_1, {144, 128, 97, 19}},     {Label1, {136, 160, 129, 25}},
      {Liste1, {264, 16, 185, 173}},
  };
  for (const auto& [id, rect] : expected) EXPECT_EQ(form.widget(id).geometry(), rect) << "control " << id;
  EXPECT_EQ(label(form, Dessin1).frameWidth(), 1);
}

// Each text fits its label in one line, in bold at 8.25 point.
TEST_F(QtWindowAtStart, FitsEveryTextInItsLabel) {
  for (const runtime::ControlId id : {Etiquette1_0, Etiquette1_1, Label1}) {
    const QLabel& prompt = label(form, id);
    EXPECT_FALSE(prompt.wordWrap());
    EXPECT_TRUE(prompt.font().bold());
    EXPECT_DOUBLE_EQ(prompt.font().pointSizeF(), 8.25);
    const QFontMetrics metrics(prompt.font());
    EXPECT_LE(metrics.horizontalAdvance(prompt.text()), prompt.contentsRect().width())
        << prompt.text().toStdString() << " in " << QFontInfo(prompt.font()).family().toStdString();
    EXPECT_LE(metrics.height(), prompt.contentsRect().height()) << prompt.text().toStdString();
  }
}

TEST_F(QtWindowAtStart, ColoursThePromptsAndTheBusyLabel) {
  const QPalette standard = QApplication::palette();
  for (const runtime::ControlId id : {Etiquette1_0, Etiquette1_1}) {
    const QWidget& prompt = form.widget(id);
    EXPECT_EQ(prompt.palette().color(prompt.foregroundRole()), standard.color(QPalette::WindowText));
    EXPECT_EQ(prompt.palette().color(prompt.backgroundRole()), standard.color(QPalette::Base));
    EXPECT_TRUE(prompt.autoFillBackground());
  }
  const QWidget& busy = form.widget(Label1);
  EXPECT_EQ(busy.palette().color(busy.foregroundRole()), QColor(255, 0, 0));
  EXPECT_EQ(busy.palette().color(busy.backgroundRole()), QColor(255, 255, 192));
  EXPECT_TRUE(busy.autoFillBackground());
}

// When the desktop's theme changes to high contrast, the busy label takes the
// system's colours, as the prompts have; when it changes back, its own.
TEST_F(QtWindowAtStart, FollowsTheDesktopIntoHighContrastAndBack) {
  const QPalette standard = QApplication::palette();
  const auto colours = [this](runtime::ControlId id) {
    const QWidget& label = form.widget(id);
    return std::pair{label.palette().color(label.foregroundRole()),
                     label.palette().color(label.backgroundRole())};
  };
  const std::pair system{standard.color(QPalette::WindowText), standard.color(QPalette::Base)};
  const auto changeTheme = [this](bool on) {
    highContrast = on;
    QEvent change(QEvent::ThemeChange);
    QApplication::sendEvent(&form, &change);
  };
  changeTheme(true);
  EXPECT_EQ(colours(Label1), system);
  EXPECT_EQ(colours(Etiquette1_0), system);
  changeTheme(false);
  EXPECT_EQ(colours(Label1), std::pair(QColor(255, 0, 0), QColor(255, 255, 192)));
}

TEST_F(QtWindowAtStart, NamesTheControlsForAssistiveTechnologies) {
  const auto name = [](QObject& object) {
    return QAccessible::queryAccessibleInterface(&object)->text(QAccessible::Name);
  };
  EXPECT_EQ(name(form.widget(Etiquette1_0)), QString::fromUtf8("borne inférieure : a"));
  EXPECT_EQ(name(field(Texte1_0)), QString::fromUtf8("borne inférieure : a"));
  EXPECT_EQ(name(field(Texte1_1)), QString::fromUtf8("borne supérieure : b"));
  EXPECT_EQ(name(list()), QString::fromUtf8("nombres trouvés"));

  search("1", "5");
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(&list());
  ASSERT_GE(lines->childCount(), 1);
  EXPECT_EQ(lines->child(0)->text(QAccessible::Name), " 3  4  5");
}

}  // namespace
