#pragma once

#include "Platform/VersionInfo.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

// The about box: a small modal window naming a program or library with its
// version, read from the version information of the module it describes.
// The same window serves the main program and the control library; the variant
// decides the description and disclaimer lines and the icon's name.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    enum class Variant
    {
        Program, // description: the program's credit line; disclaimer empty; icon picIcon
        Library, // description and disclaimer: the block's comments and legal copyright; icon picAppIcon
    };

    // The credit line the program variant shows as its description.
    static const char* const ProgramCredit;

    // Describes the module (program or shared library) that holds the address,
    // typically a function of the caller's own module.
    frmAbout(Variant variant, const void* moduleAddress, QWidget* parent = nullptr);
    // Describes the given version information; without any, the title is
    // fallbackTitle and the version 0.0.0.
    frmAbout(Variant variant, const std::optional<Platform::VersionInfo>& info,
             const QString& fallbackTitle = {}, QWidget* parent = nullptr);

    QLabel* lblTitle() const { return m_lblTitle; }
    QLabel* lblVersion() const { return m_lblVersion; }
    QLabel* lblDescription() const { return m_lblDescription; }
    QLabel* lblDisclaimer() const { return m_lblDisclaimer; }
    QLabel* icon() const { return m_icon; }
    QPushButton* cmdOK() const { return m_cmdOK; }

private:
    void build(Variant variant);
    void load(Variant variant, const std::optional<Platform::VersionInfo>& info,
              const QString& fallbackTitle);

    QLabel* m_icon = nullptr;
    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_lblDescription = nullptr;
    QLabel* m_lblDisclaimer = nullptr;
    QPushButton* m_cmdOK = nullptr;
};
