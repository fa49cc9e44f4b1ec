// box.js -- the message box: the page's box with the caption, the text and
// an OK button, which Return, Escape or a click answers; the program waits
// until then.
mergeInto(LibraryManager.library, {
  ffx_web_message_box__deps: ['$FFX'],
  ffx_web_message_box: function(caption, text, icon) {
    return Asyncify.handleSleep(function(wakeUp) {
      var box = typeof document !== 'undefined' && document.getElementById('box');
      if (!box) return wakeUp(0);
      var ok = document.getElementById('box-ok');
      var string = function(p) { return FFX.latin1(p, HEAPU8.indexOf(0, p) - p); };
      document.getElementById('box-caption').textContent = string(caption);
      document.getElementById('box-text').textContent = string(text);
      box.className = ['information', 'warning', 'error'][icon] || '';
      function answer() {
        ok.onclick = box.onkeydown = null;
        box.hidden = true;
        FFX.boxOpen = false;
        wakeUp(1);
      }
      ok.onclick = answer;
      box.onkeydown = function(e) {
        if (e.key === 'Escape' || e.key === 'Enter') {
          e.preventDefault();
          answer();
        }
      };
      FFX.boxOpen = true;
      box.hidden = false;
      ok.focus();
    });
  },
});
