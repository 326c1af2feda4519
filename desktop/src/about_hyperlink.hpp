// SPDX-License-Identifier: Apache-2.0
// A static text that works as a web link: coloured and underlined, a hand cursor and the hover
// colour over the text itself, a tooltip, and the visited colour once its target was opened.
#pragma once

#include <QColor>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace Kelbrin::Barwright {

class CAboutHyperLink : public QWidget {
    Q_OBJECT
public:
    // Opens an address with the platform's default handler; true when that succeeded.
    using url_opener = std::function<bool(const QUrl&)>;

    static const QColor linkColor;     // RGB 0,0,128
    static const QColor visitedColor;  // RGB 128,0,128
    static const QColor hoverColor;    // RGB 0,0,255

    explicit CAboutHyperLink(const QString& text, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setUrl(const QUrl& url) { url_ = url; }
    QUrl url() const { return url_; }
    void setTipText(const QString& tip) { setToolTip(tip); }
    void setAlignment(Qt::Alignment alignment);
    void setUnderline(bool underline);
    void setBold(bool bold);
    void setOpener(url_opener opener) { opener_ = std::move(opener); }

    bool isVisited() const { return visited_; }
    bool isHovered() const { return hovered_; }
    QColor currentColor() const;
    // Where the text is drawn: its extent placed by the alignment.
    QRect textRect() const;

    // Opens the target; counts as visited when the opener succeeds.
    bool follow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);

    QString text_;
    QUrl url_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    url_opener opener_;
    bool visited_ = false;
    bool hovered_ = false;
};

}  // namespace Kelbrin::Barwright
