// Reading the model files: VNType.ini for the list of installed models and
// each model's DeviceSkn.xml for its buttons.

#include <algorithm>
#include <cstring>
#include <string>

#include "config/DeviceCatalogue.h"
#include "platform/IniFile.h"
#include "platform/WideText.h"
#include "text/NumberText.h"
#include "text/XmlNavigator.h"

namespace config {
namespace {

// A device list longer than any menu can show is a damaged file, and reading
// every name of a count in the millions would hang start-up.
constexpr int kMaxListedModels = 256;

// Paths live in buffers of 260 units.
constexpr std::size_t kMaxPathUnits = 259;

void CopyCut(char16_t (&field)[kDeviceTextUnits], const std::u16string& text) {
  std::memset(field, 0, sizeof(field));
  std::copy_n(text.data(), std::min(text.size(), kDeviceTextUnits - 1), field);
}

// "left,top,right,bottom", each part a decimal number; missing parts are 0.
DeviceRect ParseRect(const std::u16string& text) {
  int32_t parts[4] = {};
  std::size_t start = 0;
  for (int32_t& part : parts) {
    if (start > text.size()) break;
    std::size_t comma = text.find(u',', start);
    if (comma == std::u16string::npos) comma = text.size();
    part = text::ParseDecimal(std::u16string_view(text).substr(start, comma - start));
    start = comma + 1;
  }
  return DeviceRect{parts[0], parts[1], parts[2], parts[3]};
}

// Reads one button group ("mouse_button" or "keyboard_button") among the
// children of device_type that follow the last group found. The count comes
// from button_num, not from the elements: entries beyond the elements present
// stay zero.
void ReadButtonGroup(CXmlNavigator& xml, std::u16string_view group, std::size_t capacity, int32_t& count,
                     ButtonDescription* buttons, DeviceRect* marks) {
  if (!xml.FindChildElement(group)) return;
  count = std::clamp<int32_t>(text::ParseDecimal(xml.ChildAttribute(u"button_num")), 0,
                              static_cast<int32_t>(capacity));
  xml.EnterElement();
  for (std::size_t k = 0; k < capacity && xml.FindChildElement(u"button"); ++k) {
    marks[k] = ParseRect(xml.ChildAttribute(u"mark_pos"));
    buttons[k].buttonCode = static_cast<uint8_t>(text::ParseHexadecimal(xml.ChildAttribute(u"button_type")) & 0xFF);
    buttons[k].pos = ParseRect(xml.ChildAttribute(u"pos"));
    CopyCut(buttons[k].tips, xml.ChildAttribute(u"tips"));
  }
  xml.LeaveElement();
}

}  // namespace

bool ReadDeviceDescription(const std::u16string& path, tagVARNOK24G_UI_INFORMATION& record) {
  CXmlNavigator xml;
  // The catalogue takes only clean files: a model whose description is
  // damaged is left out rather than half read.
  if (!xml.LoadFile(path)) return false;
  xml.ResetPosition();
  xml.FindElement();
  if (!xml.FindChildElement(u"device_type")) return false;

  record = tagVARNOK24G_UI_INFORMATION{};
  CopyCut(record.name, xml.ChildAttribute(u"name"));
  record.modelValue = text::ParseHexadecimal(xml.ChildAttribute(u"value"));
  record.deviceType = static_cast<uint32_t>(text::ParseHexadecimal(xml.ChildAttribute(u"type"))) & 0xFF;

  xml.EnterElement();
  // The keyboard group is looked for after the mouse group, so a file that
  // lists it first has no keys.
  ReadButtonGroup(xml, u"mouse_button", kMaxMouseButtons, record.mouseButtonCount, record.mouseButtons,
                  record.mouseMarks);
  ReadButtonGroup(xml, u"keyboard_button", kMaxKeys, record.keyCount, record.keys, record.keyMarks);
  xml.LeaveElement();
  return true;
}

void LoadDeviceDescription(const std::u16string& path) {
  tagVARNOK24G_UI_INFORMATION record{};
  if (ReadDeviceDescription(path, record)) DeviceCatalogue.push_back(record);
}

void LoadDeviceCatalogue(const std::u16string& exeFolder) {
  platform::IniFile& ini = platform::Service<platform::IniFile>::Get();
  const std::u16string listPath = exeFolder + u"VNType.ini";
  const int count = std::min(ini.ReadInt(listPath, u"DEVICE_NUM", u"DeviceNum", 0), kMaxListedModels);
  for (int i = 0; i < count; ++i) {
    const std::u16string key = u"Name" + platform::WidenAscii(std::to_string(i));
    // Names are read into 20 units, so a longer one is cut to 19.
    const std::u16string name = ini.ReadString(listPath, u"DEVICE_NAME", key, u"", kDeviceTextUnits);
    const std::u16string path = exeFolder + u"skins\\" + name + u"\\DeviceSkn.xml";
    // A path cut to fit its buffer would name some other file.
    if (path.size() > kMaxPathUnits) continue;
    LoadDeviceDescription(path);
  }
}

}  // namespace config
