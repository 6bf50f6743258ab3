#include "Vellum/TypeInfo.h"

namespace VellumCtl {

const QList<MemberInfo>& VellumMembers()
{
    static const QList<MemberInfo> members = {
        {"Controls", "property",
         "A collection whose elements represent each control on a form, including elements of control "
         "arrays. "},
        {"SliderAppereance", "property",
         "Returns/sets a value which determines wether how to display the sliderss."},
        {"ShowAboutBox", "method", "", AboutBoxDispId},
        {"ScrollContent", "property",
         "Sets the scroll content whose elements can be scrolled within the control.\r\n"
         "Only accepts a PictureBox as the scrol content."},
        {"BorderLeft", "property",
         "Returns/sets the left value of the distance between the scroll content and the border."},
        {"BorderRight", "property",
         "Returns/sets the right value of the distance between the scroll content and the border."},
        {"BorderTop", "property",
         "Returns/sets the top value of the distance between the scroll content and the border."},
        {"BorderBottom", "property",
         "Returns/sets the bottom value of the distance between the scroll content and the border."},
        {"Border", "property", "Returns/sets the border values of the inner border."},
        {"BorderVisible", "property",
         "Returns/sets a value which determines wether to show the  scroll border or not."},
        {"BorderInnerVisible", "property",
         "Returns/sets a value which determines wether to show the inner border or not."},
        {"SliderVertValue", "property", "Returns/sets the value of the vertical slider."},
        {"SliderHorValue", "property", "Returns/sets the value of the horizontal slider."},
        {"SetParentObject", "method", ""},
        {"ResizeScrollContent", "method",
         "Resizes the ScrollContent so that it wraps exactly around all Controls within the "
         "ScrollContent.\r\n"
         "No yet implemented."},
        {"AutoResize", "property",
         "Returns/sets a value which determines wether the Control automaticaslly resizes to its Container "
         "size."},
        {"ScaleHeight", "property", ""},
        {"ScaleWidth", "property", ""},
    };
    return members;
}

const QList<MemberInfo>& VellumEvents()
{
    static const QList<MemberInfo> events = {
        {"SliderVertChange", "event", "Occures when the value of the verticall slider changes."},
        {"SliderHorChange", "event", "Occures when the value of the horizontal slider changes."},
    };
    return events;
}

} // namespace VellumCtl
