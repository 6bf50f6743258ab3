#pragma once

#include <QString>

class QLabel;
class QMenu;

// The contract every panel of the main window implements beside being a
// QWidget. The members are declared in their slot order. Of these the main
// window reads only Key, AppNodeText, HasImage, AppImage, AppImageKey and
// SupportsResize, which every panel must provide; the others have a default
// that throws the not-implemented error (Platform::ErrNotImplemented), so a
// panel that does not provide a member simply does not override it. The two
// members after the slots (NodeToolTip, QueryLeave) have defaults that never
// throw.
class IFrame
{
public:
    virtual ~IFrame() = default;

    // A one-line description of the feature.
    virtual QString AppDescription();
    // An image control on the panel; its picture is the panel's icon.
    virtual QLabel* AppImage() = 0;
    // Key of the panel's icon in the main window's image list.
    virtual QString AppImageKey() = 0;
    virtual QString AppTitle();
    virtual bool ShowInMenu();
    virtual QMenu* AppMenu();
    virtual QString AppIconText();
    // Text of the panel's node in the main window's tree.
    virtual QString AppNodeText() = 0;
    virtual QString BaseNodeKey();
    virtual void setBaseNodeKey(const QString& key);
    virtual QString BaseNodeText();
    virtual void setBaseNodeText(const QString& text);
    // Identifier of the panel, unique among panels: the key of its registry
    // entry and of its tree node.
    virtual QString Key() = 0;
    // Whether AppImage and AppImageKey are valid.
    virtual bool HasImage() = 0;
    // True: the panel is stretched over the visible area; false: it keeps its
    // designed size and is scrolled.
    virtual bool SupportsResize() = 0;

    // Beyond the slots above, with defaults, so a panel overrides only what it needs:

    // The tooltip of the panel's tree node: AppDescription where the panel
    // provides one, else the node text. Never throws.
    virtual QString NodeToolTip();
    // Asked before the shown panel is hidden for another one or the window
    // closes. A panel holding unsaved work may ask the user and return false
    // to stay; the default lets the panel go.
    virtual bool QueryLeave() { return true; }
};
