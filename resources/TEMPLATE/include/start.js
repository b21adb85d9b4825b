// The start page's behaviour: the statistic menu opens and closes, and the statistic bars grow to their width.

// The colour of bar nr: 1 while the pointer is over it, 3 at rest.
function getColor(mode, nr) {
    var hues = [210, 150, 30, 280, 0, 190, 90, 330];
    var hue = hues[nr % hues.length];
    return mode === 1 ? "hsl(" + hue + ", 70%, 45%)" : "hsl(" + hue + ", 55%, 62%)";
}

function setMenuOpen(button, menu, open) {
    menu.classList.toggle("show", open);
    button.setAttribute("aria-expanded", open ? "true" : "false");
}

document.addEventListener("DOMContentLoaded", function () {
    var button = document.getElementById("dropdownMenuButton");
    var menu = document.querySelector(".dropdown-menu");
    if (button && menu) {
        button.addEventListener("click", function (event) {
            event.stopPropagation();
            setMenuOpen(button, menu, !menu.classList.contains("show"));
        });
        document.addEventListener("click", function () {
            setMenuOpen(button, menu, false);
        });
    }

    var bars = document.querySelectorAll(".stat_bar");
    for (var i = 0; i < bars.length; ++i)
        bars[i].style.backgroundColor = getColor(3, Number(bars[i].getAttribute("nr")));
    // One frame at width 0 first, so that the bars grow instead of appearing at their width.
    window.requestAnimationFrame(function () {
        window.requestAnimationFrame(function () {
            for (var i = 0; i < bars.length; ++i)
                bars[i].style.width = bars[i].getAttribute("maxW") + "%";
        });
    });
});
