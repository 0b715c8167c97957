// Every window's texts as the person sees them, whatever the font size:
// each label and button shows its whole text, stays inside its frame and
// off its neighbours, and the main window cannot be shrunk over its
// controls. ctest runs this at 96 and at 144 dots per inch.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "testing/temp_dir.h"
#include "ui/about_box.h"
#include "ui/desktop_app.h"
#include "ui/fit_text.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta::testing {
namespace {

// The text of a label or button; other controls show no text of their own.
QString TextOf(const QWidget* widget) {
  const bool has_text = qobject_cast<const QLabel*>(widget) != nullptr ||
                        qobject_cast<const QAbstractButton*>(widget) != nullptr;
  return has_text ? widget->property("text").toString() : QString();
}

// The size the text of `control` needs at the width it has.
QSize Needed(const QWidget* control) {
  if (!control->hasHeightForWidth()) return control->sizeHint();
  return {control->width(), control->heightForWidth(control->width())};
}

// What a person sees of `widget`: a text's own extent, nothing of an empty
// label, any other control whole.
QRect Occupied(const QWidget* widget) {
  if (!TextOf(widget).isEmpty()) {
    return {widget->pos(), Needed(widget).boundedTo(widget->size())};
  }
  return qobject_cast<const QLabel*>(widget) ? QRect() : widget->geometry();
}

// Each text whole, inside its frame (below a frame's title), clear of its
// neighbours; and no text or tip of a Windows build.
void ExpectTextsFit(const QWidget* window) {
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const QString all =
        control->property("text").toString() + "|" + control->toolTip();
    EXPECT_FALSE(all.contains("Windows") || all.contains("C:\\"))
        << all.toStdString();
    if (TextOf(control).isEmpty() || !control->isVisibleTo(window)) continue;
    SCOPED_TRACE(
        (control->objectName() + ": " + TextOf(control)).toStdString());
    const QSize needed = Needed(control);
    EXPECT_TRUE(needed.width() <= control->width() &&
                needed.height() <= control->height())
        << "needs " << needed.width() << "x" << needed.height();
    const QWidget* parent = control->parentWidget();
    EXPECT_TRUE((qobject_cast<const QGroupBox*>(parent) ? parent->contentsRect()
                                                        : parent->rect())
                    .contains(control->geometry()));
    for (const QWidget* other :
         parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != control && !other->isWindow() &&
          other->isVisibleTo(window)) {
        EXPECT_FALSE(Occupied(control).intersects(Occupied(other)))
            << "overlaps " << other->objectName().toStdString();
      }
    }
  }
}

TEST(TextFitTest, EveryWindowShowsItsWholeTexts) {
  TempDir program;
  DesktopApp app(program.path());
  FrmOrvanta& main = app.main_window();
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  ExpectTextsFit(&main);
  const QSize designed = main.size();
  main.resize(designed / 3);
  EXPECT_GE(main.width(), designed.width());
  EXPECT_GE(main.height(), designed.height());
  // The other overwrite caption, and the longest time line a run shows.
  main.findChild<QWidget*>("cboCreateThumbnails")
      ->setProperty("currentIndex", 2);
  ExpectTextsFit(&main);
  FrmProgress& progress = app.progress();
  double now = 0;
  progress.SetClock([&now] { return now; });
  for (const bool run : {false, true}) {  // counting, then the run
    progress.InitializeForm("Creating photo gallery", 0, 100, run, run, run);
    now += 60000;  // a minute gone: a remaining time is shown
    progress.UpdateProgressBar(2, false);
    ExpectTextsFit(&progress);
  }
  progress.HideForm(true);
  app.about_box().show();
  ExpectTextsFit(&app.about_box());
}

// A text grows to what it needs up to its neighbour on its row, a gap
// before it, or else to its parent's edge; one too tall for the room below
// moves up.
TEST(TextFitTest, ATextGrowsUpToItsNeighbourOnTheRow) {
  QWidget parent;
  parent.resize(300, 100);
  QLabel text(QString(60, QLatin1Char('x')), &parent), beside(&parent),
      below(&parent), tall(QStringLiteral("a\nb\nc\nd"), &parent);
  text.setGeometry(10, 10, 20, 20);
  beside.setGeometry(200, 15, 50, 10);
  below.setGeometry(100, 30, 50, 10);
  tall.setGeometry(250, 90, 40, 5);
  FitTextToFont(&text);
  EXPECT_EQ(text.geometry(), QRect(10, 10, 186, 20));
  beside.move(200, 60);
  FitTextToFont(&text);
  EXPECT_EQ(text.width(), 290);
  FitTextToFont(&tall);
  EXPECT_EQ(tall.geometry().bottom(), 99);
  EXPECT_EQ(tall.height(), tall.sizeHint().height());
}

}  // namespace
}  // namespace orvanta::testing
