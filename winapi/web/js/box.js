// box.js -- the message box: the page's box with the caption, the text and
// an OK button, which Return, Escape or a click answers; the program waits
// until then.
mergeInto(LibraryManager.library, {
  ffx_web_message_box__deps: ['$FFX'],
  ffx_web_message_box: function(caption, text, icon) {
    var box = typeof document !== 'undefined' && document.getElementById('box');
    if (!box) return 0;
    var ok = document.getElementById('box-ok');
    document.getElementById('box-caption').textContent = FFX.latin1(caption, HEAPU8.indexOf(0, caption) - caption);
    document.getElementById('box-text').textContent = FFX.latin1(text, HEAPU8.indexOf(0, text) - text);
    box.className = ['information', 'warning', 'error'][icon] || '';
    FFX.boxOpen = true;
    box.hidden = false;
    ok.focus();
    return Asyncify.handleSleep(function(wakeUp) {
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
    });
  },
});
