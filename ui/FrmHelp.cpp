#include "ui/FrmHelp.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

// The pages live in the program's resources (ui/help.qrc); a static library
// must register them by hand.
static void InitHelpResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)done;
}

namespace {

const char* const kContents = "qrc:/help/index.html";

// The help pages are English; their titles, as the contents page lists them
// and each page heads itself, are shown in the user's language.
const char* const kTopicTitles[] = {
    QT_TRANSLATE_NOOP("THelpFrm", "Tickwell Help"),
    QT_TRANSLATE_NOOP("THelpFrm", "Contents"),
    QT_TRANSLATE_NOOP("THelpFrm", "The main window"),
    QT_TRANSLATE_NOOP("THelpFrm", "Backing up and moving your events"),
    QT_TRANSLATE_NOOP("THelpFrm", "Sharing events with other calendars"),
    QT_TRANSLATE_NOOP("THelpFrm", "Your events on every machine"),
    QT_TRANSLATE_NOOP("THelpFrm", "Printing your events"),
    QT_TRANSLATE_NOOP("THelpFrm", "The Tickwells window"),
    QT_TRANSLATE_NOOP("THelpFrm", "Adding and changing an event"),
    QT_TRANSLATE_NOOP("THelpFrm", "The calendar window"),
    QT_TRANSLATE_NOOP("THelpFrm", "Tickwell in the tray"),
    QT_TRANSLATE_NOOP("THelpFrm", "Options"),
    QT_TRANSLATE_NOOP("THelpFrm", "The life of an event"),
};

// A page with its titles translated wherever one stands alone in an element.
class THelpBrowser : public QTextBrowser {
public:
    QVariant loadResource(int type, const QUrl& name) override {
        QVariant page = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource)
            return page;
        QString html = QString::fromUtf8(page.toByteArray());
        for (const char* title : kTopicTitles) {
            const QString shown = QCoreApplication::translate("THelpFrm", title);
            if (shown != QLatin1String(title))
                html.replace(">" + QLatin1String(title) + "<", ">" + shown + "<");
        }
        return html;
    }
};

class THelpFrm : public QWidget {
public:
    THelpFrm() {
        setObjectName("HelpFrm");
        setWindowTitle(QCoreApplication::translate("THelpFrm", "Tickwell Help"));
        setAttribute(Qt::WA_DeleteOnClose);
        Browser = new THelpBrowser;
        Browser->setOpenExternalLinks(true);
        auto* contents = new QPushButton(QCoreApplication::translate("THelpFrm", "&Contents"));
        auto* back = new QPushButton(QCoreApplication::translate("THelpFrm", "&Back"));
        auto* forward = new QPushButton(QCoreApplication::translate("THelpFrm", "&Forward"));
        auto* close = new QPushButton(QCoreApplication::translate("THelpFrm", "Clo&se"));
        back->setEnabled(false);
        forward->setEnabled(false);
        auto* bar = new QHBoxLayout;
        for (QPushButton* b : {contents, back, forward})
            bar->addWidget(b);
        bar->addStretch(1);
        bar->addWidget(close);
        auto* root = new QVBoxLayout(this);
        root->addLayout(bar);
        root->addWidget(Browser);
        connect(contents, &QPushButton::clicked, this, [this] { Open(kContents); });
        connect(back, &QPushButton::clicked, Browser, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, Browser, &QTextBrowser::forward);
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        connect(Browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        connect(Browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(escape, &QShortcut::activated, this, &QWidget::close);
        resize(560, 520);
    }

    // On the screen the user is working on, in its middle; later showings
    // leave the window where the user put it.
    void CentreOn(const QWidget* window) {
        const QScreen* s = window ? window->screen() : QGuiApplication::primaryScreen();
        if (!s)
            return;
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }

    void Open(const QString& url) { Browser->setSource(QUrl(url)); }

private:
    QTextBrowser* Browser;
};

QPointer<THelpFrm> HelpFrm;

void ShowHelpUrl(const QString& url) {
    InitHelpResources();
    if (!HelpFrm) {
        HelpFrm = new THelpFrm;
        HelpFrm->CentreOn(QApplication::activeWindow());
    }
    // While a modal dialog runs, other windows take no input; the help
    // window then becomes modal itself so that it can be read and closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal && modal != HelpFrm ? Qt::ApplicationModal : Qt::NonModal;
    if (HelpFrm->windowModality() != wanted) {
        HelpFrm->hide();
        HelpFrm->setWindowModality(wanted);
    }
    HelpFrm->Open(url);
    HelpFrm->show();
    HelpFrm->raise();
    HelpFrm->activateWindow();
}

struct TTopic {
    int First;
    int Last;
    const char* Url;
};

const TTopic kTopics[] = {
    {4, 4, "qrc:/help/due.html"},           {8, 8, "qrc:/help/editor.html"},
    {72, 72, "qrc:/help/calendar.html"},    {11, 14, "qrc:/help/options.html#c%1"},
    {26, 26, "qrc:/help/options.html#c%1"}, {50, 70, "qrc:/help/options.html#c%1"},
    {90, 99, "qrc:/help/options.html#c%1"},
};

} // namespace

QString HelpTopicUrl(int context) {
    for (const TTopic& t : kTopics)
        if (context >= t.First && context <= t.Last) {
            const QString url = t.Url;
            return url.contains("%1") ? url.arg(context) : url;
        }
    return QString();
}

void ShowHelpContents() {
    ShowHelpUrl(kContents);
}

void ShowHelpTopic(const QString& page) {
    ShowHelpUrl("qrc:/help/" + page);
}

void ShowHelpContext(int context) {
    const QString url = HelpTopicUrl(context);
    ShowHelpUrl(url.isEmpty() ? QString(kContents) : url);
}
