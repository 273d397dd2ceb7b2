// The side panel both instrument windows share: a column of buttons 101
// pixels wide whose left edge is the collapse button ">", which folds the
// panel to its own 10-pixel width and narrows the window by 91 pixels.
#pragma once

#include <QWidget>
#include <vector>

class QPushButton;
class QToolButton;

namespace vorlisk {

class InstrumentPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOpenWidth = 101;
    static constexpr int kButtonWidth = 10;

    InstrumentPanel(const std::vector<const char*>& captions, QWidget* parent = nullptr);

    // The collapse button's click: open when at most 20 pixels wide, fold otherwise.
    void SpeedButton1Click();
    bool folded() const { return width_ <= 20; }

    std::vector<QPushButton*> buttons;  // in the order of the captions
    QToolButton* SpeedButton1;          // ">"

private:
    void set_width(int width);

    QWidget* column_;
    int width_ = kOpenWidth;
};

// A file name to export to, beside the circuit file when it has one.
QString export_file_suggestion(const std::string& circuit_file, const QString& fallback_stem, const QString& suffix);

}  // namespace vorlisk
