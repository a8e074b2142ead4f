#include "browser/PanelPreview.h"

#include "platform/core/Bundle.h"

#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace browser {

using platform::bundle::localizedString;

namespace {

constexpr int kSpacing = 4;  // between pictures, and between rows
constexpr int kGroupGap = 8; // before the first picture of another icon name
constexpr int kMargin = 6;   // inside a bar
constexpr int kEdge = 1;     // the bar's border
constexpr int kBarSpacing = 8;
constexpr int kMostDrawings = 8; // drawings kept for a return to their set
constexpr int kLeastHeight = 96; // of the preview in a low window

// The key of a drawing: the pixel ratio and each file's path, size and time.
QString keyOf(const std::vector<PanelPicture>& pictures, double ratio) {
    QString key = QString::number(ratio);
    for (const PanelPicture& picture : pictures) {
        const QFileInfo info(QString::fromStdString(picture.path));
        key += u'\n' + info.filePath() + u'\t' + QString::number(info.size()) + u'\t' +
               QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    return key;
}

QString sideText() {
    return localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 px"));
}

QLabel* textLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PanelPreview::PanelPreview(QScrollArea& scroller, std::vector<int> sides, QString sizeText,
                           std::string libraryRoot, IsPicture isPicture)
    : scroller_(scroller), sides_(std::move(sides)), sizeText_(std::move(sizeText)),
      libraryRoot_(std::move(libraryRoot)), isPicture_(std::move(isPicture)) {
    setObjectName(QStringLiteral("panelPreview"));
    setAccessibleName(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Preview")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kBarSpacing);
    hint_ =
        textLabel(localizedString(QT_TRANSLATE_NOOP(
                      "Trayskin", "Choose a set to see its pictures as panels will show them.")),
                  this);
    hint_->setObjectName(QStringLiteral("previewHint"));
    layout->addWidget(hint_, 0, Qt::AlignTop);
    const char* names[2] = {"lightBar", "darkBar"};
    const QString titles[2] = {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Light panel")),
                               localizedString(QT_TRANSLATE_NOOP("Trayskin", "Dark panel"))};
    for (int dark : {0, 1}) {
        const BarInk& ink = dark ? darkBarInk() : lightBarInk();
        bars_[dark] = new QFrame(this);
        bars_[dark]->setObjectName(QString::fromLatin1(names[dark]));
        bars_[dark]->setAccessibleName(titles[dark]);
        bars_[dark]->setToolTip(titles[dark]);
        // An edge that shows on a light and on a dark window.
        bars_[dark]->setStyleSheet(
            QStringLiteral("QFrame#%1 { background: %2; border: %4px solid #808080; }"
                           " QLabel { color: %3; background: transparent; border: none; }")
                .arg(bars_[dark]->objectName(), ink.ground.name(), ink.foreground.name())
                .arg(kEdge));
        layout->addWidget(bars_[dark], 0, Qt::AlignTop);
    }
    layout->addStretch(1);
    connect(&watcher_, &QFutureWatcher<PanelDrawing>::finished, this, [this] {
        auto drawing = std::make_shared<const PanelDrawing>(watcher_.result());
        const QString key = keyOf(drawing->pictures, drawing->ratio);
        if (drawings_.size() >= kMostDrawings)
            drawings_.clear();
        drawings_[key] = drawing;
        if (key == wanted_ && shown_ && sameCells(*shown_, *drawing))
            paint(drawing);
        else if (key == wanted_)
            show(drawing);
    });
    if (QWidget* previous = scroller_.takeWidget())
        previous->hide();
    scroller_.setWidgetResizable(true);
    scroller_.setWidget(this);
    scroller_.viewport()->installEventFilter(this);
    // The height of a line of the bars, worked out once: a set's pictures
    // take that room when they come (until then only the hint's line).
    show(std::make_shared<PanelDrawing>(PanelDrawing{{PanelPicture{}}, allSides(), 1, {}, {}}));
    show(nullptr);
}

std::vector<int> PanelPreview::allSides() const {
    return withTwice(sides_);
}

PanelPreview::~PanelPreview() {
    watcher_.disconnect();
    watcher_.waitForFinished();
}

void PanelPreview::showSet(const std::string& item, const std::string& set) {
    std::vector<PanelPicture> pictures = setPictures(libraryRoot_, item, set, isPicture_);
    if (pictures.empty()) {
        wanted_.clear();
        show(nullptr);
        return;
    }
    const double ratio = devicePixelRatioF();
    wanted_ = keyOf(pictures, ratio);
    if (const auto found = drawings_.find(wanted_); found != drawings_.end()) {
        show(found->second);
        return;
    }
    std::vector<int> sides = allSides();
    // The bars take their place and size at once, named cells without
    // pictures, so that nothing moves when the pictures come.
    auto placeholder = std::make_shared<PanelDrawing>(PanelDrawing{pictures, sides, ratio, {}, {}});
    if (!shown_ || !sameCells(*shown_, *placeholder))
        show(placeholder);
    watcher_.setFuture(
        QtConcurrent::run(drawPanelPictures, std::move(pictures), std::move(sides), ratio));
}

QSize PanelPreview::sizeHint() const {
    return QSize(QWidget::sizeHint().width(), kLeastHeight);
}

bool PanelPreview::pending() const {
    return !wanted_.isEmpty() &&
           (!shown_ || shown_->light.empty() || keyOf(shown_->pictures, shown_->ratio) != wanted_);
}

bool PanelPreview::sameCells(const PanelDrawing& a, const PanelDrawing& b) {
    return a.sides == b.sides && a.pictures.size() == b.pictures.size() &&
           std::equal(a.pictures.begin(), a.pictures.end(), b.pictures.begin(),
                      [](const PanelPicture& p, const PanelPicture& q) {
                          return p.icon == q.icon && p.group == q.group;
                      });
}

void PanelPreview::paint(std::shared_ptr<const PanelDrawing> drawing) {
    shown_ = std::move(drawing);
    for (int dark : {0, 1}) {
        const auto& images = dark ? shown_->dark : shown_->light;
        for (std::size_t i = 0; i < cells_[dark].size(); ++i) {
            const QImage& image = images[i / shown_->sides.size()][i % shown_->sides.size()];
            if (image.isNull())
                cells_[dark][i]->clear();
            else
                cells_[dark][i]->setPixmap(QPixmap::fromImage(image));
        }
    }
}

bool PanelPreview::eventFilter(QObject* watched, QEvent* event) {
    // A narrower or wider view may hold another number of pictures a line.
    if (watched == scroller_.viewport() && event->type() == QEvent::Resize && shown_ &&
        picturesPerLine() != perLine_)
        show(shown_);
    return QWidget::eventFilter(watched, event);
}

void PanelPreview::show(std::shared_ptr<const PanelDrawing> drawing) {
    shown_ = std::move(drawing);
    perLine_ = picturesPerLine();
    for (bool dark : {false, true})
        fillBar(*bars_[dark ? 1 : 0], dark);
    placeInScroller();
}

int PanelPreview::picturesPerLine() const {
    // Two bars share the view's width, whether or not a vertical scroll bar
    // takes some of it; each keeps room for its edge and its size labels.
    if (!shown_)
        return 1;
    const int most = 2 * *std::max_element(sides_.begin(), sides_.end());
    const int view = scroller_.width() - 2 * scroller_.frameWidth() -
                     scroller_.verticalScrollBar()->sizeHint().width();
    const int room = (view - kBarSpacing) / 2 - 2 * kMargin - 2 * kEdge -
                     fontMetrics().horizontalAdvance(sideText().arg(most)) - kSpacing;
    // The most pictures a line whose columns, with their gaps, fit.
    for (int count = static_cast<int>(shown_->pictures.size()); count > 1; --count) {
        const std::vector<bool> gaps = gapsBefore(shown_->pictures, count);
        if (count * (most + kSpacing) + std::count(gaps.begin(), gaps.end(), true) * kGroupGap <=
            room)
            return count;
    }
    return 1;
}

std::vector<bool> PanelPreview::gapsBefore(const std::vector<PanelPicture>& pictures, int perLine) {
    // The lines share their columns: a gap goes before a place where any
    // line starts another icon name.
    std::vector<bool> gaps(static_cast<std::size_t>(perLine), false);
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        const std::size_t place = i % static_cast<std::size_t>(perLine);
        if (place > 0 && pictures[i].group != pictures[i - 1].group)
            gaps[place] = true;
    }
    return gaps;
}

void PanelPreview::fillBar(QFrame& bar, bool dark) {
    // Hidden while it is filled, so that its new parts show with it.
    bar.hide();
    qDeleteAll(bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    delete bar.layout();
    auto& cells = cells_[dark ? 1 : 0];
    cells.clear();
    if (!shown_)
        return;
    const std::size_t sides = shown_->sides.size();
    cells.resize(shown_->pictures.size() * sides);
    auto* grid = new QGridLayout(&bar);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setSpacing(kSpacing);
    const QString captions[2] = {sizeText_,
                                 localizedString(QT_TRANSLATE_NOOP("Trayskin", "Twice the size"))};
    const QString nameAndSize = localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1, %2 px"));
    const auto& images = dark ? shown_->dark : shown_->light;
    const int count = static_cast<int>(shown_->pictures.size());
    const int most = *std::max_element(sides_.begin(), sides_.end());
    // The grid's column of each place in a line, after the gaps before it.
    const std::vector<bool> gaps = gapsBefore(shown_->pictures, perLine_);
    std::vector<int> columns;
    for (int place = 0, column = 1; place < perLine_; ++place) {
        if (gaps[static_cast<std::size_t>(place)])
            grid->setColumnMinimumWidth(column++, kGroupGap - kSpacing);
        columns.push_back(column++);
    }
    int row = 0;
    // Line after line of at most perLine_ pictures, each line a row per
    // side, the panel's and the larger ones each under a caption.
    for (int first = 0; first < count; first += perLine_) {
        for (std::size_t side = 0; side < shown_->sides.size(); ++side) {
            const int shownSide = shown_->sides[side];
            // Captions above the panel's sides and above the larger ones.
            if (side == 0 || (shownSide > most && shown_->sides[side - 1] <= most))
                grid->addWidget(textLabel(captions[side == 0 ? 0 : 1], &bar), row++, 1, 1, -1);
            grid->addWidget(textLabel(sideText().arg(shownSide), &bar), row, 0,
                            Qt::AlignRight | Qt::AlignVCenter);
            for (int i = first; i < std::min(count, first + perLine_); ++i) {
                const PanelPicture& picture = shown_->pictures[i];
                auto* cell = new QLabel(&bar);
                cell->setFixedSize(shownSide, shownSide);
                if (!images.empty() && !images[i][side].isNull())
                    cell->setPixmap(QPixmap::fromImage(images[i][side]));
                cells[i * sides + side] = cell;
                const QString words = nameAndSize.arg(picture.icon).arg(shownSide);
                cell->setToolTip(words);
                cell->setAccessibleName(words);
                grid->addWidget(cell, row, columns[static_cast<std::size_t>(i - first)],
                                Qt::AlignCenter);
            }
            ++row;
        }
    }
    grid->setColumnStretch(grid->columnCount(), 1);
    bar.show();
}

void PanelPreview::placeInScroller() {
    // At most as high as the first line of the bars, further lines scroll;
    // in a low window it gives way to the browser down to a few rows.
    layout()->activate();
    const int lines =
        shown_ ? static_cast<int>(shown_->pictures.size() + perLine_ - 1) / perLine_ : 1;
    const int content = bars_[0]->sizeHint().height() - 2 * kMargin + kSpacing;
    const int lineHeight = shown_ ? content / lines - kSpacing + 2 * kMargin : 0;
    reserved_ = std::max(reserved_, lineHeight);
    hint_->setVisible(shown_ == nullptr);
    scroller_.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller_.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* column = qobject_cast<QBoxLayout*>(scroller_.parentWidget()->layout());
    if (!shown_) {
        // Without pictures only the hint's line: the browser has the room.
        if (column)
            column->setStretchFactor(&scroller_, 0);
        scroller_.setFixedHeight(hint_->sizeHint().height() + 2 * scroller_.frameWidth());
        scroller_.show();
        return;
    }
    // Room for a scroll bar below bars wider than the view, always kept.
    const int most = reserved_ + scroller_.horizontalScrollBar()->sizeHint().height() +
                     2 * scroller_.frameWidth();
    // The browser keeps the room it asks for; what is left goes to the
    // preview, up to its most.
    if (column)
        column->setStretchFactor(&scroller_, 1);
    scroller_.setMinimumHeight(std::min(most, kLeastHeight));
    scroller_.setMaximumHeight(most);
    scroller_.show();
}

} // namespace browser
