"""The sample models as the pictures need them: the buttons of each model's
DeviceSkn.xml and the drawing settings in the artwork.json beside it."""

import json
import os
import xml.etree.ElementTree as ET

PAGE_WIDTH = 621
PAGE_HEIGHT = 220


class Button:
    def __init__(self, code, pos, mark, tips):
        self.code = code
        self.pos = pos      # the label, (left, top, right, bottom)
        self.mark = mark    # the part of the device that lights up
        self.tips = tips


class Model:
    def __init__(self, folder, name, value, device_type, mouse, keys, art):
        self.folder = folder
        self.name = name
        self.value = value
        self.device_type = device_type
        self.mouse = mouse
        self.keys = keys
        self.art = art


def _rect(text):
    parts = [int(p) for p in (text or "0,0,0,0").split(",")]
    if len(parts) != 4:
        raise ValueError(f"rectangle needs four numbers: {text!r}")
    return tuple(parts)


def _buttons(element, limit):
    if element is None:
        return []
    count = int(element.get("button_num", "0"))
    buttons = []
    for node in element.findall("button")[:min(count, limit)]:
        buttons.append(Button(int(node.get("button_type"), 16) & 0xFF, _rect(node.get("pos")),
                              _rect(node.get("mark_pos")), node.get("tips", "")))
    return buttons


def load_model(folder):
    root = ET.parse(os.path.join(folder, "DeviceSkn.xml")).getroot()
    device = root.find("device_type")
    if device is None:
        raise ValueError(f"{folder}: no device_type")
    with open(os.path.join(folder, "artwork.json"), encoding="utf-8") as handle:
        art = json.load(handle)
    model = Model(folder, device.get("name"), int(device.get("value"), 16),
                  int(device.get("type"), 16) & 0xFF,
                  _buttons(device.find("mouse_button"), 15),
                  _buttons(device.find("keyboard_button"), 20), art)
    for button in model.mouse + model.keys:
        for rect in (button.pos, button.mark):
            left, top, right, bottom = rect
            if not (0 <= left < right <= PAGE_WIDTH and 0 <= top < bottom <= PAGE_HEIGHT):
                raise ValueError(f"{model.name}: rectangle {rect} leaves the page")
    return model


def load_models(skins_root):
    models = []
    for entry in sorted(os.listdir(skins_root)):
        folder = os.path.join(skins_root, entry)
        if os.path.isfile(os.path.join(folder, "DeviceSkn.xml")):
            models.append(load_model(folder))
    return models
