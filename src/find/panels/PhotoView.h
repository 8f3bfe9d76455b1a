#pragma once

#include <QImage>
#include <QWidget>

// The photo panel's view: the photograph whole at the top-left corner,
// framed in dark grey.
class PhotoView final : public QWidget {
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr) : QWidget(parent) {}

    void setPhoto(const QImage& photo);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_photo;
};
