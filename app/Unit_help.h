// The user manual in a window of the program's own, so it opens on every
// machine, with or without a desktop that knows how to open documents.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace vorlisk {

class TForm_help : public QDialog {
    Q_OBJECT
public:
    explicit TForm_help(QWidget* parent = nullptr);

    // Shows the manual found at `path` (an HTML file whose pictures lie
    // beside it), at the section `anchor` when one is given.
    void show_manual(const QString& path, const QString& anchor = {});

    QTextBrowser* browser;
};

}  // namespace vorlisk
