#include "camera/views/allsky/AllSkyDatePanel.h"

#include "camera/allsky/AllSkySession.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/EditingFinished.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDoubleValidator>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <iterator>

namespace {

// The settings object's font kind of the all-sky date stamp.
constexpr int kStampFontKind = 16;

// A titled box holding a matrix of radio buttons, ids in reading order down
// the columns.
struct RadioMatrix {
    QGroupBox* box;
    QButtonGroup* group;
};

RadioMatrix radioMatrix(QWidget* parent, const QString& title, const QStringList& titles)
{
    constexpr int kRows = 2;
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < titles.size(); ++i) {
        auto* button = new QRadioButton(titles[i], box);
        group->addButton(button, i);
        layout->addWidget(button, i % kRows, i / kRows);
    }
    return {box, group};
}

}  // namespace

AllSkyDatePanel::AllSkyDatePanel(AllSkySession& session, PrefControl& prefs, QWidget* parent)
    : QDialog(parent), m_session(session), m_prefs(prefs), m_panels(*this)
{
    setWindowTitle(QStringLiteral("AllSky Date Stamp"));
    setWindowFlag(Qt::Tool);
    setModal(false);
    buildControls();
    m_dateFont = QFont(QStringLiteral("Geneva"), 9);
    m_dateColor = QColor::fromRgbF(1, 1, 1, 0.75F);
    // Closing any window of the program applies and stores the panel's values.
    qApp->installEventFilter(this);
}

AllSkyDatePanel::~AllSkyDatePanel()
{
    qApp->removeEventFilter(this);
}

void AllSkyDatePanel::buildControls()
{
    auto* layout = new QGridLayout(this);

    m_dateCheckbox = new QCheckBox(QStringLiteral("Date stamp"), this);
    m_secCheckbox = new QCheckBox(QStringLiteral("Seconds"), this);
    m_secCheckbox->setChecked(true);
    m_fontButton = new QPushButton(QStringLiteral("Font…"), this);
    layout->addWidget(m_dateCheckbox, 0, 0);
    layout->addWidget(m_secCheckbox, 0, 1);
    layout->addWidget(m_fontButton, 0, 2);

    const RadioMatrix utc = radioMatrix(this, QStringLiteral("Time"), {QStringLiteral("UTC"), QStringLiteral("Local")});
    const RadioMatrix corner = radioMatrix(this, QStringLiteral("Corner"),
                                           {QStringLiteral("Top left"), QStringLiteral("Bottom left"),
                                            QStringLiteral("Top right"), QStringLiteral("Bottom right")});
    m_utcRadio = utc.group;
    m_positionRadio = corner.group;
    layout->addWidget(utc.box, 1, 0);
    layout->addWidget(corner.box, 1, 1, 1, 2);

    m_movieCheckbox = new QCheckBox(QStringLiteral("Movie"), this);
    m_fpsField = new QLineEdit(QStringLiteral("30.0"), this);
    m_fpsField->setValidator(new QDoubleValidator(0.01, 600.0, 3, m_fpsField));
    layout->addWidget(m_movieCheckbox, 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("Frames per second"), this), 2, 1);
    layout->addWidget(m_fpsField, 2, 2);
    const RadioMatrix codec =
        radioMatrix(this, QStringLiteral("Codec"), {QStringLiteral("Photo-JPEG"), QStringLiteral("H.264")});
    const RadioMatrix quality = radioMatrix(this, QStringLiteral("Quality"),
                                            {QStringLiteral("Lossless"), QStringLiteral("Maximum"),
                                             QStringLiteral("High"), QStringLiteral("Normal")});
    m_codecRadio = codec.group;
    m_qualityRadio = quality.group;
    layout->addWidget(codec.box, 3, 0);
    layout->addWidget(quality.box, 3, 1, 1, 2);

    m_utcRadio->button(0)->setChecked(true);
    m_positionRadio->button(1)->setChecked(true);
    m_codecRadio->button(0)->setChecked(true);
    m_qualityRadio->button(0)->setChecked(true);
    enableStampControls(false);
    enableMovieControls(false);

    connect(m_dateCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        m_session.setIsAllSkyText(on);
        enableStampControls(on);
    });
    connect(m_utcRadio, &QButtonGroup::idClicked, this, [this](int id) {
        m_isUTC = id == 0;
        m_session.setIsAllSkyUTCDate(m_isUTC);
    });
    connect(m_positionRadio, &QButtonGroup::idClicked, this, [this](int id) { m_textPosn = quint16(id); });
    connect(m_fontButton, &QPushButton::clicked, this, &AllSkyDatePanel::showFontPanels);
    connect(m_movieCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        m_session.setIsAllSkyMovie(on);
        enableMovieControls(on);
    });
    EditingFinished::connect(m_fpsField, this,
            [this] { m_session.movie().setAllSkyMovieFPS(fpsValue()); });
    connect(m_codecRadio, &QButtonGroup::idClicked, this, [this](int id) {
        m_movieCodec = id != 0 ? 1 : 0;
        movieDictChanged();
    });
    connect(m_qualityRadio, &QButtonGroup::idClicked, this, [this](int id) {
        if (id >= 0 && id < int(std::size(kQualities)))
            m_movieQuality = kQualities[id];
        movieDictChanged();
    });
    connect(m_secCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        m_isSec = on;
        m_session.setIsAllSkySecDate(on);
    });
}

void AllSkyDatePanel::enableStampControls(bool on)
{
    m_fontButton->setEnabled(on);
    for (QAbstractButton* button : m_utcRadio->buttons())
        button->setEnabled(on);
    for (QAbstractButton* button : m_positionRadio->buttons())
        button->setEnabled(on);
}

void AllSkyDatePanel::enableMovieControls(bool on)
{
    m_fpsField->setEnabled(on);
    for (QButtonGroup* group : {m_codecRadio, m_qualityRadio})
        for (QAbstractButton* button : group->buttons())
            button->setEnabled(on);
}

void AllSkyDatePanel::showFontPanels()
{
    QFontDialog& fontPanel = m_panels.fontPanel();
    QColorDialog& colorPanel = m_panels.colorPanel();
    colorPanel.setCurrentColor(m_dateColor);
    fontPanel.setCurrentFont(m_dateFont);
    fontPanel.show();
    fontPanel.raise();
    colorPanel.show();
    colorPanel.raise();
}

void AllSkyDatePanel::movieDictChanged()
{
    m_session.movie().allSkySetMovieDict(m_movieCodec, m_movieQuality);
}

float AllSkyDatePanel::fpsValue() const
{
    return m_fpsField->text().toFloat();
}

void AllSkyDatePanel::setDateColor(const QColor& color)
{
    m_dateColor = color;
    if (QColorDialog* panel = m_panels.madeColorPanel())
        panel->setCurrentColor(color);
    m_session.allSkyTextSetup(m_dateFont, m_dateColor);
}

void AllSkyDatePanel::setDateFont(const QFont& font)
{
    m_dateFont = font;
    if (QFontDialog* panel = m_panels.madeFontPanel())
        panel->setCurrentFont(font);
    m_session.allSkyTextSetup(m_dateFont, m_dateColor);
}

void AllSkyDatePanel::setDateFPS(float framesPerSecond)
{
    m_session.movie().setAllSkyMovieFPS(framesPerSecond);
    m_fpsField->setText(QString::number(double(framesPerSecond)));
}

void AllSkyDatePanel::setDateMovieDict(int codec, quint32 quality)
{
    m_movieCodec = codec != 0 ? 1 : 0;
    m_movieQuality = quality;
    m_session.movie().allSkySetMovieDict(codec, quality);
    m_codecRadio->button(m_movieCodec)->setChecked(true);
    const auto* cell = std::find(std::begin(kQualities), std::end(kQualities), quality);
    if (cell != std::end(kQualities))
        m_qualityRadio->button(int(cell - std::begin(kQualities)))->setChecked(true);
}

void AllSkyDatePanel::setDatePosn(int position, bool isUTC, bool isSec)
{
    m_textPosn = quint16(std::max(0, position));
    m_isUTC = isUTC;
    m_isSec = isSec;
    m_session.setIsAllSkyUTDatePosn(position);
    m_session.setIsAllSkyUTCDate(isUTC);
    m_session.setIsAllSkySecDate(isSec);
    m_utcRadio->button(isUTC ? 0 : 1)->setChecked(true);
    m_secCheckbox->setChecked(isSec);
    if (QAbstractButton* cell = m_positionRadio->button(position))
        cell->setChecked(true);
}

void AllSkyDatePanel::setDateMovieCheckbox(bool on)
{
    m_dateCheckbox->setChecked(on);
    m_movieCheckbox->setChecked(on);
}

void AllSkyDatePanel::closeButtonHit()
{
    m_panels.hide();
    // Panels never shown hold nothing the user chose.
    if (const QColorDialog* panel = m_panels.madeColorPanel())
        m_dateColor = panel->currentColor();
    if (const QFontDialog* panel = m_panels.madeFontPanel())
        m_dateFont = panel->currentFont();
    m_session.movie().setAllSkyMovieFPS(fpsValue());
    m_session.movie().allSkySetMovieDict(m_movieCodec, m_movieQuality);
    m_session.setIsAllSkyUTDatePosn(m_textPosn);
    m_session.setIsAllSkySecDate(m_isSec);
    m_session.allSkyTextSetup(m_dateFont, m_dateColor);
    m_prefs.saveFont(kStampFontKind, m_dateFont, m_dateColor);
    m_prefs.saveAllSkyFPS(fpsValue());
    m_prefs.saveAllSkyCodec(m_movieCodec, m_movieQuality);
    m_prefs.saveAllSkyPosn(m_textPosn, m_isUTC, m_isSec);
}

bool AllSkyDatePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        closeButtonHit();
    return QDialog::eventFilter(watched, event);
}
