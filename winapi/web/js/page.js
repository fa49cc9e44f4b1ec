// page.js -- the page's state that the web backend's scripts share, and the
// end of the program: its exit code shown and given to scripts.
mergeInto(LibraryManager.library, {
  $FFX: {
    canvas: null,       // the window: the page's canvas
    shown: false,       // ShowWindow's state
    active: false,      // what WM_ACTIVATEAPP last said
    events: [],         // input not yet taken, as [kind, value, repeat]
    wake: null,         // resumes a program waiting for input
    finishPresent: null, // shows a picture waiting for its frame now
    boxOpen: false,     // a message box has the keyboard
    // The page's canvas, or null where there is no page.
    page: function() {
      if (!FFX.canvas && typeof document !== 'undefined')
        FFX.canvas = document.getElementById('screen');
      return FFX.canvas;
    },
    // length bytes of ANSI text (taken as Latin-1) as a string.
    latin1: function(ptr, length) {
      var s = '';
      for (var i = 0; i < length; ++i) s += String.fromCharCode(HEAPU8[ptr + i]);
      return s;
    },
  },

  ffx_web_ended__deps: ['$FFX'],
  ffx_web_ended: function(code) {
    window.ffxExitCode = code;
    document.getElementById('exit-code').textContent = String(code);
    document.getElementById('again').onclick = function() { location.reload(); };
    document.getElementById('ended').hidden = false;
  },
});
