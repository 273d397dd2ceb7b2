// What the probe LED and probe display dialogs share: one drop-down list per
// input, offering "no test point" and then every test point by its label,
// while the probe records the chosen test point's name.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace vorlisk {

struct Circuit;

class ProbeDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the probe's bindings modally; on OK binds every input to the
    // test point chosen in its list (none when the empty item or no item is
    // chosen). Returns whether OK was pressed.
    bool edit(Circuit& c, int obj);

    void FormShow();
    void ok_clicked();      // 确定
    void cancel_clicked();  // 取消

    bool confirmed = false;  // set only by 确定

    std::vector<QComboBox*> input_lists;  // one per input, captions as built
    QPushButton* ok_button;                // "确定"
    QPushButton* cancel_button;            // "取消"

protected:
    ProbeDialog(const QString& caption, const std::vector<QString>& input_captions, QWidget* parent);
    void showEvent(QShowEvent* e) override;
};

// Fills a list with an empty item and the label of every test point in
// table order (each item keeping its test point's name) and chooses the
// item of `bound_name`: the empty item when that is empty, none when it
// names no test point.
void fill_test_point_list(QComboBox* list, const Circuit& c, const std::string& bound_name);
// The name of the test point chosen in a list: "" for the empty item, no
// item, or a test point that is gone.
std::string chosen_test_point(const QComboBox* list, const Circuit& c);

}  // namespace vorlisk
