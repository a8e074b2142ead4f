#include "app/NewSetDialog.h"

#include "library/NewSet.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/widgets/AlertPanel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using platform::bundle::localizedString;

QStringList droppedFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

NewSetDialog::NewSetDialog(QWidget* parent, library::PictureSystem& system, const std::string& item)
    : QDialog(parent), system_(system), items_(system.items()), name_(new QLineEdit(this)),
      item_(new QComboBox(this)), description_(new QPlainTextEdit(this)),
      pictures_(new QListWidget(this)), refused_(new QListWidget(this)) {
    setObjectName(QStringLiteral("newSetDialog"));
    setWindowTitle(localizedString(QT_TRANSLATE_NOOP("Trayskin", "New Set")));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    name_->setObjectName(QStringLiteral("newSetName"));
    item_->setObjectName(QStringLiteral("newSetItem"));
    description_->setObjectName(QStringLiteral("newSetDescription"));
    pictures_->setObjectName(QStringLiteral("newSetPictures"));
    refused_->setObjectName(QStringLiteral("newSetRefused"));
    for (const std::string& title : items_)
        item_->addItem(QString::fromStdString(title));
    const auto chosen = std::find(items_.begin(), items_.end(), item);
    item_->setCurrentIndex(chosen == items_.end() ? 0 : int(chosen - items_.begin()));
    auto* form = new QFormLayout;
    form->addRow(localizedString(QT_TRANSLATE_NOOP("Trayskin", "&Name:")), name_);
    form->addRow(localizedString(QT_TRANSLATE_NOOP("Trayskin", "&Item:")), item_);
    form->addRow(localizedString(QT_TRANSLATE_NOOP("Trayskin", "&Description:")), description_);
    form->addRow(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Pictures:")), pictures_);
    form->addRow(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Not added:")), refused_);
    auto* add =
        new QPushButton(localizedString(QT_TRANSLATE_NOOP("Trayskin", "&Add Pictures...")), this);
    add->setObjectName(QStringLiteral("newSetAddPictures"));
    auto* hint = new QLabel(localizedString(QT_TRANSLATE_NOOP(
                                "Trayskin", "Or drop pictures here or on the main window.")),
                            this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(localizedString(QT_TRANSLATE_NOOP("Trayskin", "&Make Set")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(add);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, [this] { addPictures(); });
    connect(item_, &QComboBox::currentIndexChanged, this, [this] { chooseItem(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { makeSet(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    chooseItem();
}

NewSetDialog::~NewSetDialog() = default;

void NewSetDialog::chooseItem() {
    // The pictures are checked for one item: a new one starts afresh.
    draft_ = std::make_unique<library::NewSetDraft>(system_, item_->currentText().toStdString());
    pictures_->clear();
}

void NewSetDialog::addPictures() {
    addFiles(QFileDialog::getOpenFileNames(
        this, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Add Pictures"))));
}

void NewSetDialog::addFiles(const QStringList& paths) {
    using Outcome = library::PictureOffer::Outcome;
    for (const QString& path : paths) {
        library::PictureOffer offer = draft_->add(path);
        if (offer.outcome == Outcome::NeedsName) {
            bool ok = false;
            const QString name = QInputDialog::getItem(
                this, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Name the Picture")),
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1: %2. Add it as:"))
                    .arg(QFileInfo(path).fileName(), offer.reason),
                offer.names, 0, false, &ok);
            if (ok)
                offer = draft_->add(path, name);
            else
                offer.outcome = Outcome::Refused;
        }
        if (offer.outcome == Outcome::Added)
            pictures_->addItem(offer.name);
        else
            refused_->addItem(QFileInfo(path).fileName() + QStringLiteral(": ") + offer.reason);
    }
    // The item stays while its pictures are in the set.
    item_->setEnabled(draft_->pictures().isEmpty());
}

void NewSetDialog::makeSet() {
    const QString name = name_->text().trimmed();
    const library::SetOutcome outcome = draft_->make(name, description_->toPlainText());
    if (!outcome.done) {
        platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Not Done")),
                                outcome.reason,
                                localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
        return;
    }
    if (made_)
        made_(draft_->item(), name.toStdString());
    accept();
}

void NewSetDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void NewSetDialog::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(files);
}
