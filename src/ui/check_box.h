// The option check box: our values 0 (unchecked), 1 (checked) and 2
// (grey) mapped onto Qt's check states, a click that goes from grey or
// unchecked to checked and from checked to unchecked, and a caption that
// wraps onto a second line like the design asks.
#ifndef ORVANTA_UI_CHECK_BOX_H_
#define ORVANTA_UI_CHECK_BOX_H_

#include <QCheckBox>

namespace orvanta {

// Our value of a check box: Unchecked 0, Checked 1, PartiallyChecked 2.
int CheckBoxValue(const QCheckBox* box);
// Sets our value: 0 unchecked, 1 checked, 2 grey; any other value counts
// as unchecked. Raises the box's stateChanged signal when it changes.
void SetCheckBoxValue(QCheckBox* box, int value);
// Qt's state for our value, and our value for Qt's state.
Qt::CheckState CheckStateOfValue(int value);
int ValueOfCheckState(Qt::CheckState state);

class OptionCheckBox : public QCheckBox {
 public:
  explicit OptionCheckBox(const QString& text, QWidget* parent = nullptr);
  // The caption wraps: the height it needs at `width`.
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void nextCheckState() override;
  bool hitButton(const QPoint& pos) const override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_CHECK_BOX_H_
