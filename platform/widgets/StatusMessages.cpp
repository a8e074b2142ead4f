#include "platform/widgets/StatusMessages.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStatusBar>
#include <algorithm>

namespace platform {

namespace {

constexpr const char* kName = "trayskinMessageFit";

class MessageFit final : public QObject {
public:
    explicit MessageFit(QStatusBar& bar) : QObject(&bar), bar_(bar) {
        setObjectName(QLatin1String(kName));
        connect(&bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
            if (fitting_)
                return;
            whole_ = message;
            fit();
        });
        bar.installEventFilter(this);
    }
    const QString& whole() const { return whole_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize && !whole_.isEmpty())
            fit();
        return false;
    }

private:
    // The bar's own margins for a message: 6 at the left, 12 at the right,
    // 2 before the first widget that stays shown beside a message.
    int room() const {
        int right = bar_.width() - 12;
        for (const QWidget* child :
             bar_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                right = std::min(right, child->x() - 2);
        return std::max(0, right - 6);
    }
    void fit() {
        const QString shown = bar_.fontMetrics().elidedText(whole_, Qt::ElideRight, room());
        bar_.setToolTip(shown == whole_ ? QString() : whole_);
        if (shown == bar_.currentMessage())
            return;
        fitting_ = true;
        bar_.showMessage(shown);
        fitting_ = false;
    }

    QStatusBar& bar_;
    QString whole_;
    bool fitting_ = false;
};

} // namespace

void elideStatusMessages(QStatusBar& bar) {
    if (!bar.findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
        new MessageFit(bar);
}

QString wholeStatusMessage(const QStatusBar& bar) {
    const auto* fit = static_cast<const MessageFit*>(
        bar.findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
    return fit && !bar.currentMessage().isEmpty() ? fit->whole() : bar.currentMessage();
}

} // namespace platform
