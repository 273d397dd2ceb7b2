// The hidden holder of the component pictures (the render core's data).
#pragma once

#include <QWidget>

#include "render/pictures.h"

namespace vorlisk {

class TForm_bitmap : public QWidget {
    Q_OBJECT
public:
    explicit TForm_bitmap(QWidget* parent = nullptr);

    const Pictures& pictures() const { return pictures_; }

private:
    Pictures pictures_;
};

}  // namespace vorlisk
