#include "app/Unit_help.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vorlisk {

TForm_help::TForm_help(QWidget* parent) : QDialog(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("使用说明"));
    resize(900, 680);
    browser = new QTextBrowser(this);
    browser->setObjectName("browser");
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
}

void TForm_help::show_manual(const QString& path, const QString& anchor) {
    if (QFileInfo::exists(path)) {
        QUrl url = QUrl::fromLocalFile(path);
        if (!anchor.isEmpty()) url.setFragment(anchor);
        if (browser->source().adjusted(QUrl::RemoveFragment) != url.adjusted(QUrl::RemoveFragment))
            browser->setSource(url);
        if (!anchor.isEmpty()) browser->scrollToAnchor(anchor);
    } else {
        browser->setHtml(QStringLiteral("<h2>找不到用户手册</h2><p>程序旁边应有文件：</p><p><tt>%1</tt></p>"
                                        "<p>请重新安装程序，或从程序的源代码中复制 docs/manual 文件夹。</p>")
                             .arg(path.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace vorlisk
