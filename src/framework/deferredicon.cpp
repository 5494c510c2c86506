#include "framework/deferredicon.h"

#include <QIconEngine>

#include <optional>
#include <utility>

namespace {

// Hands everything to the icon, made at the first call that needs it.
class CDeferredIconEngine final : public QIconEngine
{
public:
    explicit CDeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(pPainter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_icon && m_icon->isNull(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine* clone() const override { return new CDeferredIconEngine(m_make); }

private:
    const QIcon& Icon()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon DeferredIcon(std::function<QIcon()> make)
{
    return QIcon(new CDeferredIconEngine(std::move(make)));
}
