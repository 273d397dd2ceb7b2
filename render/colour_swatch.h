// A button showing a colour; clicking it opens the colour dialog preset with
// that colour, and the chosen colour becomes the swatch's.
#pragma once

#include <QPushButton>
#include <cstdint>

namespace vorlisk {

class ColourSwatch : public QPushButton {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    int32_t colour() const { return colour_; }  // 0x00BBGGRR
    void set_colour(int32_t bgr);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void choose();
    int32_t colour_ = 0;
};

}  // namespace vorlisk
