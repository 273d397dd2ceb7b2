// The about window: a borderless picture with the home page link. At
// start-up it fades in, holds for two seconds and closes by itself; shown
// from the Help menu it stays until its picture is clicked.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QTimer;

namespace vorlisk {

class TForm_about : public QDialog {
    Q_OBJECT
public:
    explicit TForm_about(QWidget* parent = nullptr);

    void show_splash();     // modal; returns when the splash has closed
    void show_from_menu();  // modal; returns when the picture was clicked

    void Timer1Timer();
    void Image1Click();

    bool faded_in = false;
    bool clickable = false;
    int opacity = 0;  // 0..255

    QLabel* Image1;
    QLabel* Label1;
    QTimer* Timer1;

    static constexpr int kHoldMs = 2000;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QElapsedTimer hold_;
};

QImage paint_about_picture();

}  // namespace vorlisk
