#include "framework/svgicon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>
#include <utility>

namespace {

class CSvgIconEngine final : public QIconEngine
{
public:
    explicit CSvgIconEngine(QString strPath) : m_strPath(std::move(strPath)) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal nRatio = pPainter->device() ? pPainter->device()->devicePixelRatio() : 1.0;
        QPixmap drawn = pixmap(rect.size() * nRatio, mode, state);
        drawn.setDevicePixelRatio(nRatio);
        pPainter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QSize natural = Renderer().defaultSize();
        return natural.isEmpty() ? QSize() : natural.scaled(size, Qt::KeepAspectRatio);
    }

    // In device pixels: QIcon asks for the size times the screen's ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize drawnSize = actualSize(size, mode, state);
        if (drawnSize.isEmpty())
            return {};
        const quint64 nKey =
            (quint64(drawnSize.width()) << 32) | (quint64(drawnSize.height()) << 8) | quint64(mode);
        QPixmap& drawn = m_drawn[nKey];
        if (drawn.isNull())
            drawn = Draw(drawnSize, mode);
        return drawn;
    }

    bool isNull() override { return m_pRenderer && !m_pRenderer->isValid(); }
    QString key() const override { return QStringLiteral("lmxsvg"); }
    QIconEngine* clone() const override { return new CSvgIconEngine(m_strPath); }

private:
    QSvgRenderer& Renderer()
    {
        if (!m_pRenderer)
            m_pRenderer = std::make_unique<QSvgRenderer>(m_strPath);
        return *m_pRenderer;
    }

    QPixmap Draw(const QSize& size, QIcon::Mode mode)
    {
        QPixmap drawn(size);
        drawn.fill(Qt::transparent);
        {
            QPainter painter(&drawn);
            Renderer().render(&painter);
        }
        if (mode == QIcon::Normal || !qobject_cast<QApplication*>(QCoreApplication::instance()))
            return drawn;
        // Greyed, selected and hovered pictures look as the style makes them.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    QString m_strPath;
    std::unique_ptr<QSvgRenderer> m_pRenderer;
    QHash<quint64, QPixmap> m_drawn; // by size and mode
};

} // namespace

QIcon SvgFileIcon(const QString& strPath)
{
    return strPath.isEmpty() ? QIcon() : QIcon(new CSvgIconEngine(strPath));
}
