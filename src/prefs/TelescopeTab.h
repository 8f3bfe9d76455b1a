#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class PrefControl;
class PrefLocalization;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class RefusalNote;

// The Telescope tab: the five telescope slots with their finder and mount,
// the camera type, and the ten eyepiece slots with the power and true field
// each gives on the telescope shown. Edits wait for the two Save buttons.
class TelescopeTab final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kScopes = 5;
    static constexpr int kEyepieceRows = 9;  // the tenth slot is the camera
    static constexpr float kCameraFocalLength = 50.0f;

    struct Links {
        std::function<void()> setupDrawer;       // the telescope view's drawer
        std::function<void()> setupConnectMenu;  // the Connect menu
    };

    TelescopeTab(PrefControl& prefs, PrefLocalization& texts, QWidget* parent = nullptr);
    void setLinks(Links links) { m_links = std::move(links); }

    // Fills the tab for telescope slot 0 to 4.
    void setupScopes(int slot);
    void scopeSelectionAction(int slot);
    // Stores the fields as the shown slot; a focal length of 0 deletes it.
    // A field that is not a number in its range is refused with its reason
    // shown, and nothing is stored; false then.
    bool saveScopeAction();
    bool saveEyepieceAction();

    int currentScope() const { return m_currentScope; }
    QButtonGroup* scopeRadio() const { return m_scopeRadio; }
    QLineEdit* nameField() const { return m_name; }
    QLineEdit* focalLengthField() const { return m_focalLength; }
    QLineEdit* apertureField() const { return m_aperture; }
    QLineEdit* finderField() const { return m_finderField; }
    QButtonGroup* focalLengthUnit() const { return m_focalLengthUnit; }
    QButtonGroup* apertureUnit() const { return m_apertureUnit; }
    QButtonGroup* finderRadio() const { return m_finderRadio; }
    QComboBox* mountPopup() const { return m_mount; }
    QComboBox* cameraPopup() const { return m_camera; }
    QCheckBox* reverseEWBox() const { return m_reverseEW; }
    QCheckBox* reverseNSBox() const { return m_reverseNS; }
    QCheckBox* retainPollingBox() const { return m_retainPolling; }
    QCheckBox* altAzBox() const { return m_altAz; }
    QCheckBox* flipOutlineBox() const { return m_flipOutline; }
    QCheckBox* flipEWOutlineBox() const { return m_flipEWOutline; }
    QLabel* magnitudeLimitField() const { return m_limits[0]; }
    QLabel* resolvingPowerField() const { return m_limits[1]; }
    QLabel* maximumPowerField() const { return m_limits[2]; }
    QLineEdit* eyeFocalLengthField(int row) const { return m_eyeFocalLength[size_t(row)]; }
    QLineEdit* eyeFieldField(int row) const { return m_eyeField[size_t(row)]; }
    QLabel* powerField(int row) const { return m_power[size_t(row)]; }
    QLabel* trueFieldField(int row) const { return m_trueField[size_t(row)]; }
    QLineEdit* cameraPercentField() const { return m_cameraPercent; }
    RefusalNote* refusalNote() const { return m_note; }

private:
    QWidget* buildScope(PrefLocalization& texts);
    QWidget* buildLimits(PrefLocalization& texts);
    QWidget* buildEyepieces(PrefLocalization& texts);
    void pushChanges(bool connectMenu) const;
    // The field's value from 0 to `most` (an empty field reads 0), or nothing
    // after a refusal that names `caption`.
    std::optional<float> fieldValue(const QLineEdit* field, double most, const char* caption);

    PrefControl& m_prefs;
    Links m_links;
    int m_currentScope = 0;
    QButtonGroup* m_scopeRadio = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_focalLength = nullptr;
    QLineEdit* m_aperture = nullptr;
    QLineEdit* m_finderField = nullptr;
    QButtonGroup* m_focalLengthUnit = nullptr;
    QButtonGroup* m_apertureUnit = nullptr;
    QButtonGroup* m_finderRadio = nullptr;
    QComboBox* m_mount = nullptr;
    QComboBox* m_camera = nullptr;
    QCheckBox* m_reverseEW = nullptr;
    QCheckBox* m_reverseNS = nullptr;
    QCheckBox* m_retainPolling = nullptr;
    QCheckBox* m_altAz = nullptr;
    QCheckBox* m_flipOutline = nullptr;
    QCheckBox* m_flipEWOutline = nullptr;
    std::array<QLabel*, 3> m_limits{};
    std::array<QLineEdit*, kEyepieceRows> m_eyeFocalLength{};
    std::array<QLineEdit*, kEyepieceRows> m_eyeField{};
    std::array<QLabel*, kEyepieceRows> m_power{};
    std::array<QLabel*, kEyepieceRows> m_trueField{};
    QLineEdit* m_cameraPercent = nullptr;
    RefusalNote* m_note = nullptr;
};
