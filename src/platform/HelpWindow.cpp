#include "platform/HelpWindow.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Prompts.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

constexpr int kTopicRole = Qt::UserRole;

QString TopicOf(const QUrl& url)
{
    const QString name = QFileInfo(url.path()).fileName();
    return name.endsWith(QStringLiteral(".htm")) ? name.chopped(4) : QString();
}

} // namespace

HelpWindow::HelpWindow(std::string helpFolder, Prompts& prompts, std::function<std::string()> title,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), helpFolder_(std::move(helpFolder)), prompts_(prompts),
      title_(std::move(title)), contents_(new QListWidget), search_(new QLineEdit),
      page_(new QTextBrowser)
{
    setObjectName(QStringLiteral("frmHelp"));
    contents_->setObjectName(QStringLiteral("lstContents"));
    search_->setObjectName(QStringLiteral("txtSearch"));
    page_->setObjectName(QStringLiteral("txtPage"));
    search_->setPlaceholderText(QStringLiteral("Search the help"));
    search_->setClearButtonEnabled(true);
    // Links between pages stay in this window; a link out of the help goes nowhere.
    page_->setOpenLinks(true);
    page_->setOpenExternalLinks(false);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(search_);
    sideLayout->addWidget(contents_);
    auto* splitter = new QSplitter;
    splitter->addWidget(side);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(820, 560);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& query) { ListPages(query); });
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        if (contents_->count() > 0)
            contents_->setCurrentRow(0);
        OpenListed();
    });
    connect(contents_, &QListWidget::itemClicked, this, [this] { OpenListed(); });
    connect(contents_, &QListWidget::itemActivated, this, [this] { OpenListed(); });
    // The signal comes before source() tells the new page.
    connect(page_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { MarkListed(TopicOf(url)); });
}

std::string HelpWindow::PagePath(const std::string& topic) const
{
    if (topic.empty() || topic.find_first_of("/\\") != std::string::npos || topic == "..")
        throw std::invalid_argument("Not a help topic: \"" + topic + "\"");
    return (fs::path(helpFolder_) / "source" / (topic + ".htm")).string();
}

void HelpWindow::ShowHelp(const std::string& topic, bool search)
{
    const std::string path = PagePath(topic);
    const std::string title = title_ ? title_() : std::string();
    std::error_code error;
    if (!fs::is_directory(fs::path(helpFolder_) / "source", error)) {
        prompts_.ShowMessage("The help pages are not installed.\nThey belong in the folder \"" +
                                 helpFolder_ + "\".",
                             title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (!fs::is_regular_file(path, error)) {
        prompts_.ShowMessage("The help page for this topic is not installed:\n\"" + path + "\"",
                             title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    ReadPages();
    setWindowTitle(QString::fromStdString(title + " Help"));
    if (!search)
        search_->clear();
    page_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));

    // Over a modal dialog (F1 in the options, for example) the help must take the keyboard
    // itself, or the dialog would block it.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality =
        modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide();
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
    if (search) {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    }
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // The search box, the list and the page leave Escape to the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::string HelpWindow::CurrentTopic() const { return TopicOf(page_->source()).toStdString(); }

void HelpWindow::ReadPages()
{
    if (pagesRead_)
        return;
    pagesRead_ = true;
    const QDir folder(QString::fromStdString((fs::path(helpFolder_) / "source").string()));
    for (const QString& name : folder.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        HelpPage page{name.chopped(4), document.metaInformation(QTextDocument::DocumentTitle),
                      document.toPlainText().toLower()};
        if (page.title.isEmpty())
            page.title = page.topic;
        pages_.push_back(std::move(page));
    }
    // The contents page first, the others by their titles.
    std::stable_sort(pages_.begin(), pages_.end(), [](const HelpPage& a, const HelpPage& b) {
        const bool aIndex = a.topic == QStringLiteral("index");
        const bool bIndex = b.topic == QStringLiteral("index");
        if (aIndex != bIndex)
            return aIndex;
        return QString::localeAwareCompare(a.title, b.title) < 0;
    });
    ListPages(search_->text());
}

void HelpWindow::ListPages(const QString& query)
{
    const QStringList words =
        query.toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    contents_->clear();
    for (const HelpPage& page : pages_) {
        const bool found = std::all_of(words.begin(), words.end(), [&page](const QString& word) {
            return page.words.contains(word) || page.title.toLower().contains(word);
        });
        if (!found)
            continue;
        auto* item = new QListWidgetItem(page.title, contents_);
        item->setData(kTopicRole, page.topic);
    }
    MarkListed(QString::fromStdString(CurrentTopic()));
}

void HelpWindow::OpenListed()
{
    const QListWidgetItem* item = contents_->currentItem();
    if (item == nullptr)
        return;
    const QString topic = item->data(kTopicRole).toString();
    if (topic != QString::fromStdString(CurrentTopic()))
        page_->setSource(QUrl::fromLocalFile(QString::fromStdString(PagePath(topic.toStdString()))));
}

void HelpWindow::MarkListed(const QString& topic)
{
    const QSignalBlocker quiet(contents_);
    for (int row = 0; row < contents_->count(); ++row) {
        if (contents_->item(row)->data(kTopicRole).toString() == topic) {
            contents_->setCurrentRow(row);
            return;
        }
    }
    contents_->setCurrentRow(-1);
}

} // namespace polvane
