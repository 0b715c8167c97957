// Every window's texts as the person sees them, whatever the font size:
// each label and button shows its whole text, stays inside its frame and
// off its neighbours, and the main window cannot be shrunk over its
// controls. ctest runs this at 96 and at 144 dots per inch.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "testing/temp_dir.h"
#include "ui/about_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta::testing {
namespace {

QString TextOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    return label->text();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return button->text();
  }
  return {};
}

// The size the text of `control` needs at the width it has.
QSize Needed(const QWidget* control) {
  if (control->hasHeightForWidth()) {
    return {control->width(), control->heightForWidth(control->width())};
  }
  return control->sizeHint();
}

// The part of `widget` a person sees: a text's own extent, nothing of an
// empty label, any other control whole.
QRect Occupied(const QWidget* widget) {
  if (qobject_cast<const QLabel*>(widget) != nullptr &&
      TextOf(widget).isEmpty()) {
    return {};
  }
  if (TextOf(widget).isEmpty()) return widget->geometry();
  return {widget->pos(), Needed(widget).boundedTo(widget->size())};
}

// Where `parent`'s children may be: inside its border, below a frame's
// title.
QRect InnerArea(const QWidget* parent) {
  return qobject_cast<const QGroupBox*>(parent) != nullptr
             ? parent->contentsRect()
             : parent->rect();
}

void ExpectTextsFit(const QWidget* window) {
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    if (TextOf(control).isEmpty() || !control->isVisibleTo(window)) continue;
    const QString name = control->objectName() + ": " + TextOf(control);
    SCOPED_TRACE(name.toStdString());
    const QSize needed = Needed(control);
    EXPECT_TRUE(needed.width() <= control->width() &&
                needed.height() <= control->height())
        << "needs " << needed.width() << "x" << needed.height() << ", has "
        << control->width() << "x" << control->height();
    const QWidget* parent = control->parentWidget();
    EXPECT_TRUE(InnerArea(parent).contains(control->geometry()));
    for (const QObject* object : parent->children()) {
      const auto* other = qobject_cast<const QWidget*>(object);
      if (other == nullptr || other == control || other->isWindow() ||
          !other->isVisibleTo(window)) {
        continue;
      }
      EXPECT_FALSE(Occupied(control).intersects(Occupied(other)))
          << "overlaps " << other->objectName().toStdString();
    }
  }
}

// Texts of a Windows build do not show on other systems.
void ExpectNoWindowsWords(const QWidget* window) {
  QStringList texts;
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    texts << TextOf(widget) << widget->toolTip();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
      texts << box->text();
    }
  }
  for (const QAction* action : window->findChildren<QAction*>()) {
    texts << action->text() << action->toolTip();
  }
  for (const QString& text : texts) {
    EXPECT_FALSE(text.contains(QLatin1String("Windows")) ||
                 text.contains(QLatin1String("C:\\")))
        << text.toStdString();
  }
}

TEST(TextFitTest, EveryWindowShowsItsWholeTexts) {
  TempDir program;
  DesktopApp app(program.path());
  FrmOrvanta& main = app.main_window();
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  ExpectTextsFit(&main);
  ExpectNoWindowsWords(&main);
  const QSize designed = main.size();
  main.resize(designed / 3);
  EXPECT_GE(main.width(), designed.width());
  EXPECT_GE(main.height(), designed.height());

  // The other overwrite caption, and the longest time line a run shows.
  main.findChild<QWidget*>(QStringLiteral("cboCreateThumbnails"))
      ->setProperty("currentIndex", 2);
  ExpectTextsFit(&main);
  FrmProgress& progress = app.progress();
  for (const bool run : {false, true}) {  // counting, then the run
    progress.InitializeForm("Creating photo gallery", 0, 100, run, run, run,
                            &main);
    progress.UpdateProgressBar(1, true);
    QTest::qWait(1100);  // a second gone: a remaining time is shown
    progress.UpdateProgressBar(2);
    ExpectTextsFit(&progress);
    ExpectNoWindowsWords(&progress);
  }
  progress.HideForm(true);
  app.about_box().show();
  ExpectTextsFit(&app.about_box());
  ExpectNoWindowsWords(&app.about_box());
}

}  // namespace
}  // namespace orvanta::testing
