#include "instruments/forms/instrument_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlisk {

InstrumentPanel::InstrumentPanel(const std::vector<const char*>& captions, QWidget* parent) : QWidget(parent) {
    setObjectName("Panel1");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText(QStringLiteral(">"));
    SpeedButton1->setFixedWidth(kButtonWidth);
    SpeedButton1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    row->addWidget(SpeedButton1);

    column_ = new QWidget(this);
    auto* col = new QVBoxLayout(column_);
    col->setContentsMargins(4, 4, 4, 4);
    col->setSpacing(4);
    for (const char* caption : captions) {
        auto* b = new QPushButton(QString::fromUtf8(caption), column_);
        b->setObjectName(QStringLiteral("BitBtn%1").arg(buttons.size() + 1));
        col->addWidget(b);
        buttons.push_back(b);
    }
    col->addStretch();
    row->addWidget(column_);
    setFixedWidth(kOpenWidth);
    connect(SpeedButton1, &QToolButton::clicked, this, &InstrumentPanel::SpeedButton1Click);
}

void InstrumentPanel::set_width(int width) {
    width_ = width;
    setFixedWidth(width);
    column_->setVisible(width > kButtonWidth);
    // Folded, the button points the way the panel opens.
    SpeedButton1->setText(width > kButtonWidth ? QStringLiteral(">") : QStringLiteral("<"));
}

void InstrumentPanel::SpeedButton1Click() {
    QWidget* window = this->window();
    const int change = kOpenWidth - kButtonWidth;
    if (folded()) {
        set_width(kOpenWidth);
        window->resize(window->width() + change, window->height());
    } else {
        set_width(kButtonWidth);
        window->resize(window->width() - change, window->height());
    }
}

QString export_file_suggestion(const std::string& circuit_file, const QString& fallback_stem, const QString& suffix) {
    if (circuit_file.empty()) return fallback_stem + QLatin1Char('.') + suffix;
    const QFileInfo f(QString::fromLocal8Bit(circuit_file.c_str()));
    return f.dir().absoluteFilePath(f.completeBaseName() + QLatin1Char('.') + suffix);
}

}  // namespace vorlisk
