// The family view's boxes. The program writes one call per member of the family at the end of the page; these
// functions turn the calls into boxes. Every name, date, place and label goes in as text, never as markup.
"use strict";

function pageData(name) {
    return document.body.dataset[name] || "";
}

function element(tag, className, text) {
    const node = document.createElement(tag);
    if (className)
        node.className = className;
    if (text)
        node.textContent = text;
    return node;
}

function link(href, className, text, title) {
    const node = element("a", className, text);
    node.setAttribute("href", href);
    if (title)
        node.title = title;
    return node;
}

// Slots "01" and "02" are the parents: following one of them moves the view a generation up.
function isParentSlot(slot) {
    return slot === "01" || slot === "02";
}

function setDane(slot, isProbant, id, isMale, elementId, name, birth, death, picture, parentId) {
    const target = document.getElementById(elementId);
    if (!target)
        return;
    const box = element("div", "person-box " + (isMale ? "male" : "female") + (isProbant ? " probant" : ""));
    box.dataset.slot = slot;
    if (parentId)
        box.dataset.parent = parentId;

    const avatar = pageData("template") + (isMale ? "include/avatar_male.png" : "include/avatar_female.png");
    const image = element("img", "person-picture");
    image.alt = "";
    image.onerror = function () {
        if (image.getAttribute("src") !== avatar)
            image.setAttribute("src", avatar);
    };
    image.setAttribute("src", picture || avatar);
    box.appendChild(image);

    const text = element("div", "person-text");
    const title = pageData(isParentSlot(slot) ? "labelUp" : "labelForm");
    text.appendChild(link("person_form_" + id, "person-name", name || "?", title));
    if (birth)
        text.appendChild(element("div", "person-birth", birth));
    if (death)
        text.appendChild(element("div", "person-death", death));
    box.appendChild(text);

    const actions = element("div", "person-actions");
    actions.appendChild(link("person_edit_" + id, "person-edit", "\u270e", ""));
    if (!isProbant)
        actions.appendChild(link("person_delete_" + slot + "x" + id, "person-delete", "\u2715", pageData("labelDelete")));
    box.appendChild(actions);

    target.textContent = "";
    target.appendChild(box);
    // A partner's name also heads the group of the children born with that partner.
    const group = document.getElementById(target.dataset.group || "");
    if (group)
        group.querySelector(".group-title").textContent = name;
}

function setEmpty(slot, elementId, isProbant, canAdd, label, secondLabel) {
    const target = document.getElementById(elementId);
    if (!target)
        return;
    const box = element("div", "person-box empty");
    if (slot === 0) {
        // The empty page's probant: a new woman or a new man.
        if (canAdd) {
            box.appendChild(link("person_add_type_100", "add-person female", label, ""));
            box.appendChild(link("person_add_type_101", "add-person male", secondLabel, ""));
        }
    } else if (canAdd) {
        box.appendChild(link("person_add_type_" + slot, "add-relative", "+ " + label, ""));
    } else {
        box.appendChild(element("span", "empty-label", label));
    }
    target.textContent = "";
    target.appendChild(box);
}

// The group of the children born with one partner; made on first use, so a child whose other parent is no
// partner of the probant ("group_empty" among them) still has one.
function childGroup(groupId) {
    let group = document.getElementById(groupId);
    if (!group) {
        group = element("div", "child-group");
        group.id = groupId;
        group.appendChild(element("div", "group-title"));
        group.appendChild(element("div", "box-list"));
        document.getElementById("children").appendChild(group);
    }
    return group;
}

function placeBox(list, elementId, isMale, isLast) {
    const slot = element("div", "slot " + (isMale ? "male" : "female") + (isLast ? " last" : ""));
    slot.id = elementId;
    list.appendChild(slot);
    return slot;
}

function putSpouse(number, isMale, elementId, isLast, groupId) {
    const slot = placeBox(document.getElementById("spouses"), elementId, isMale, isLast);
    slot.dataset.number = number;
    slot.dataset.group = groupId;
    childGroup(groupId);
}

function putChild(number, isMale, elementId, isLast, groupId) {
    const slot = placeBox(childGroup(groupId).querySelector(".box-list"), elementId, isMale, isLast);
    slot.dataset.number = number;
}

function putSibling(number, isMale, elementId, isLast) {
    const slot = placeBox(document.getElementById("siblings"), elementId, isMale, isLast);
    slot.dataset.number = number;
}

// 0 a woman or a person of unspecified sex, 1 a man, 2 the empty page.
function setProbantSex(sex) {
    document.body.dataset.probantSex = sex;
}

// The empty page has no partners, children or siblings to show.
function hideNotUsedItems() {
    for (const id of ["siblings-column", "spouses-column", "children-section"])
        document.getElementById(id).hidden = true;
}

// The add menu opens on a click on its title and closes on any other click.
document.addEventListener("click", function (event) {
    const menu = document.getElementById("add-menu");
    if (!menu)
        return;
    const toggle = event.target.closest("#add-menu-button");
    if (toggle)
        menu.classList.toggle("show");
    else
        menu.classList.remove("show");
    if (event.target.closest(".href-no-click"))
        event.preventDefault();
});
