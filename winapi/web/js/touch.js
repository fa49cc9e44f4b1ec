// touch.js -- touch as the program's keys, for phones and tablets: a tap is
// the space bar, a press held for a second is Escape (nobody holds a still
// finger that long by accident), and a double tap asks for full screen as
// the double-click does. A finger that moves, or a second finger, makes no
// key. The browser's own gestures (scrolling, zooming, pull to refresh, the
// long-press menu) never act on the page: its style turns them off, and the
// handlers here take the touches.
mergeInto(LibraryManager.library, {
  $FFXTouch__deps: ['$FFX', '$FFXInput', '$FFXScreen'],
  $FFXTouch: {
    holdMs: 1000,       // a press this long is Escape
    doubleMs: 300,      // a second tap this soon after the first is a double tap
    slopPx: 24,         // CSS pixels a finger may drift and still tap or hold
    press: null,        // the finger down: {x, y, timer, held}
    tap: null,          // a tap's timer, until it is known not to be a double tap
    key: function(vk) {
      if (!FFX.boxOpen && FFX.shown) FFXInput.push(1, vk, 0);
    },
    cancel: function() {
      var press = FFXTouch.press;
      if (press) clearTimeout(press.timer);
      FFXTouch.press = null;
    },
    start: function(e) {
      // The box's and the end notice's buttons take their taps themselves.
      if (e.target.closest && e.target.closest('button')) return;
      e.preventDefault(); // no mouse events, no zoom, no selection
      if (e.touches.length !== 1) return FFXTouch.cancel();
      var t = e.touches[0];
      var press = FFXTouch.press = {x: t.clientX, y: t.clientY, held: false, timer: 0};
      press.timer = setTimeout(function() {
        press.held = true;
        FFXTouch.key(27); // VK_ESCAPE
      }, FFXTouch.holdMs);
    },
    move: function(e) {
      var press = FFXTouch.press, t = e.touches[0];
      if (press && t && Math.hypot(t.clientX - press.x, t.clientY - press.y) > FFXTouch.slopPx)
        FFXTouch.cancel();
    },
    end: function(e) {
      var press = FFXTouch.press;
      if (!press || e.touches.length) return;
      FFXTouch.cancel();
      if (press.held) return;
      e.preventDefault();
      if (FFXTouch.tap) {
        clearTimeout(FFXTouch.tap);
        FFXTouch.tap = null;
        FFXScreen.fullScreen(); // inside the gesture, as browsers require
        return;
      }
      FFXTouch.tap = setTimeout(function() {
        FFXTouch.tap = null;
        FFXTouch.key(32); // VK_SPACE
      }, FFXTouch.doubleMs);
    },
    watch: function() {
      // Not passive: the start and the end of a touch are taken from the browser.
      addEventListener('touchstart', FFXTouch.start, {passive: false});
      addEventListener('touchmove', FFXTouch.move, {passive: true});
      addEventListener('touchend', FFXTouch.end, {passive: false});
      addEventListener('touchcancel', FFXTouch.cancel);
      // Android's answer to a long press, where touch-action does not reach.
      addEventListener('contextmenu', function(e) { e.preventDefault(); });
    },
  },
});
