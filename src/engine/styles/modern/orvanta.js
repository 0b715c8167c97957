/* orvanta.js: keys and swipes for Orvanta's modern gallery pages. Written
   once into the gallery's root and never replaced.
   Keys, as NavFunctions.js has them: Space and Right arrow open the link
   named navNext, Left arrow navPrevious, Home and Escape navIndex. On a
   picture page a quick sideways swipe opens the next picture (to the
   left) or the previous one (to the right). A missing link does nothing. */
(function () {
  'use strict';
  var keys = {
    ' ': 'navNext', Spacebar: 'navNext', ArrowRight: 'navNext', Right: 'navNext',
    ArrowLeft: 'navPrevious', Left: 'navPrevious',
    Home: 'navIndex', Escape: 'navIndex', Esc: 'navIndex'
  };

  function follow(name) {
    var links = document.getElementsByName(name);
    if (!links.length) return false;
    links[0].click();
    return true;
  }

  // Keys typed into a control, or meant for a player, stay there.
  function ownsKeys(target) {
    return !!(target && target.closest &&
        target.closest('input, textarea, select, button, video, audio, [contenteditable]'));
  }

  document.addEventListener('keydown', function (ev) {
    if (ev.defaultPrevented || ev.altKey || ev.ctrlKey || ev.metaKey || ev.shiftKey) return;
    var name = keys[ev.key];
    if (!name || ownsKeys(ev.target)) return;
    if (follow(name)) ev.preventDefault();
  });

  if (!document.body || !document.body.classList.contains('picture-page')) return;
  var start = null;

  document.addEventListener('touchstart', function (ev) {
    start = null;
    // Two fingers zoom; a zoomed-in page pans; the player seeks.
    if (ev.touches.length !== 1) return;
    if (window.visualViewport && window.visualViewport.scale > 1.01) return;
    if (ev.target.closest && ev.target.closest('video')) return;
    var t = ev.touches[0];
    start = { x: t.clientX, y: t.clientY, time: Date.now() };
  }, { passive: true });

  document.addEventListener('touchmove', function (ev) {
    if (ev.touches.length !== 1) start = null;
  }, { passive: true });

  document.addEventListener('touchcancel', function () { start = null; }, { passive: true });

  document.addEventListener('touchend', function (ev) {
    if (!start || !ev.changedTouches.length) return;
    var t = ev.changedTouches[0];
    var dx = t.clientX - start.x;
    var dy = t.clientY - start.y;
    var quick = Date.now() - start.time < 800;
    start = null;
    if (!quick || Math.abs(dx) < 50 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    follow(dx < 0 ? 'navNext' : 'navPrevious');
  }, { passive: true });
})();
