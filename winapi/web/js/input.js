// input.js -- the page's input for the program, queued until its message
// loop takes it: key presses and repeats with their virtual-key codes (and
// the keys touch gives, touch.js), the page becoming active (shown, visible
// and focused) or not, and the pointer over the canvas. Handlers only queue
// and, when the program waits for input, resume it; nothing else calls into
// the program.
//
// A suspending function is called again as the program resumes, and must
// then only call Asyncify.handleSleep, which ends the resume: its work is
// done in handleSleep's callback, which runs only on the first call.
mergeInto(LibraryManager.library, {
  $FFXInput__deps: ['$FFX'],
  $FFXInput: {
    push: function(kind, value, repeat) {
      FFX.events.push([kind, value, repeat]);
      var wake = FFX.wake;
      FFX.wake = null;
      if (wake) wake();
    },
    // Queues the change when the page's activity differs from what the
    // program was last told. A picture waiting for a frame that a hidden
    // page will not get is shown at once, so that the program sees the
    // change and goes to sleep.
    update: function() {
      var active = FFX.shown && document.visibilityState === 'visible' && document.hasFocus();
      if (active === FFX.active) return;
      FFX.active = active;
      FFXInput.push(2, active ? 1 : 0, 0);
      if (!active && FFX.finishPresent) FFX.finishPresent();
    },
  },

  ffx_web_watch_input__deps: ['$FFX', '$FFXInput', '$FFXTouch'],
  ffx_web_watch_input: function() {
    addEventListener('keydown', function(e) {
      // The box answers its own keys; a key code past 254 is no virtual key.
      var key = e.keyCode;
      if (FFX.boxOpen || !FFX.shown || !(key > 0 && key < 255)) return;
      // The program has the key, not the browser (Space would scroll), but
      // for the browser's shortcuts and function keys.
      var functionKey = key >= 0x70 && key <= 0x87;
      if (!e.ctrlKey && !e.altKey && !e.metaKey && !functionKey) e.preventDefault();
      FFXInput.push(1, key, e.repeat ? 1 : 0);
    });
    addEventListener('focus', FFXInput.update);
    addEventListener('blur', FFXInput.update);
    document.addEventListener('visibilitychange', FFXInput.update);
    FFX.page().addEventListener('mousemove', function() { FFXInput.push(3, 0, 0); });
    FFXTouch.watch();
  },

  ffx_web_next_event__deps: ['$FFX'],
  ffx_web_next_event: function(event) {
    var e = FFX.events.shift();
    if (!e) return 0;
    HEAP32[event >> 2] = e[0];
    HEAP32[(event >> 2) + 1] = e[1];
    HEAP32[(event >> 2) + 2] = e[2];
    return 1;
  },

  ffx_web_wait_event__deps: ['$FFX'],
  ffx_web_wait_event: function() {
    Asyncify.handleSleep(function(wakeUp) {
      if (FFX.events.length) wakeUp(); // no need to sleep
      else FFX.wake = wakeUp;
    });
  },
});
