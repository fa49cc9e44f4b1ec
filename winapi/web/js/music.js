// music.js -- a demo's music in the page (Web Audio): the start screen that
// waits for the gesture a browser wants before any sound, the music played
// from the samples the page's script holds (Module.ffxMusic, 48 kHz 16-bit
// stereo in base64), and its position as heard.
mergeInto(LibraryManager.library, {
  $FFXMusic: {
    context: null,
    begin: 0,  // the context's time at the music's start
    heard: 0,  // the last position given, in sample frames
    // The output's latency where the browser reports none, in seconds:
    // WebKitGTK's sound through GStreamer to PulseAudio arrives about this
    // long after its context's time, and its outputLatency says 0.
    unreported: 0.05,
    // The events the start screen keeps from the program; those in `starts`
    // are a gesture that may start sound.
    kinds: ['keydown', 'keyup', 'keypress', 'mousedown', 'mouseup', 'click', 'dblclick',
            'pointerdown', 'pointerup', 'touchstart', 'touchend'],
    starts: ['keydown', 'mousedown', 'touchend'],
    // The music as an AudioBuffer of the context.
    buffer: function(context) {
      var text = atob(Module['ffxMusic']);
      var frames = text.length >> 2;
      var buffer = context.createBuffer(2, frames, 48000);
      var left = buffer.getChannelData(0), right = buffer.getChannelData(1);
      for (var i = 0, at = 0; i < frames; ++i, at += 4) {
        left[i] = ((text.charCodeAt(at) | text.charCodeAt(at + 1) << 8) << 16 >> 16) / 32768;
        right[i] = ((text.charCodeAt(at + 2) | text.charCodeAt(at + 3) << 8) << 16 >> 16) / 32768;
      }
      return buffer;
    },
    // Starts the music; false when the page cannot play sound.
    play: function(loop) {
      var Context = window.AudioContext || window.webkitAudioContext;
      try {
        var context = new Context({latencyHint: 'interactive'});
        var source = context.createBufferSource();
        source.buffer = FFXMusic.buffer(context);
        source.loop = !!loop;
        source.connect(context.destination);
        context.resume();
        FFXMusic.begin = context.currentTime;
        source.start(FFXMusic.begin);
        FFXMusic.context = context;
        return true;
      } catch (e) {
        console.error('no sound: ' + e);
        return false;
      }
    },
  },

  ffx_web_music_start__deps: ['$FFXMusic'],
  ffx_web_music_start: function(loop) {
    return Asyncify.handleSleep(function(wakeUp) {
      var screen = document.createElement('div');
      screen.id = 'start';
      screen.textContent = 'Click, tap or press a key to start';
      screen.style.cssText = 'position: fixed; inset: 0; display: flex; align-items: center; ' +
        'justify-content: center; background: rgba(0, 0, 0, 0.6); color: #fff; cursor: pointer';
      document.body.appendChild(screen);
      // The gesture, and the rest of it (the key's repeats and release, the
      // button's or finger's release and click), are the start screen's.
      var key = 0, releasing = false;
      var keep = function(e) {
        var release = e.type === 'keyup' || e.type === 'mouseup' || e.type === 'click' ||
          e.type === 'pointerup' || e.type === 'touchend';
        if (releasing && e.type === 'keydown' && e.keyCode !== key) return stop(); // another key
        e.stopImmediatePropagation();
        // Not a pointer's: that would hold back the mouse events, a gesture.
        if (e.cancelable && e.type.indexOf('pointer') !== 0) e.preventDefault();
        if (!releasing && FFXMusic.starts.indexOf(e.type) >= 0) {
          releasing = true;
          key = e.type === 'keydown' ? e.keyCode : 0;
          screen.remove();
          wakeUp(FFXMusic.play(loop) ? 1 : 0);
        }
        if (releasing && release && (e.type !== 'touchend' || e.touches.length === 0) &&
            (key === 0 ? e.type === 'click' || e.type === 'touchend' : e.type === 'keyup'))
          setTimeout(stop, 0);
      };
      var stop = function() {
        FFXMusic.kinds.forEach(function(kind) { removeEventListener(kind, keep, true); });
      };
      FFXMusic.kinds.forEach(function(kind) { addEventListener(kind, keep, true); });
    });
  },

  // Output timestamp: when the sample at contextTime reaches the speakers,
  // on the page's clock. Where there is none, or it is not within a second
  // of now (WebKitGTK's runs ahead of the page's clock by the context's own
  // time), the context's time less its latencies.
  ffx_web_music_heard__deps: ['$FFXMusic'],
  ffx_web_music_heard: function() {
    var context = FFXMusic.context;
    if (context.state !== 'running') return FFXMusic.heard;
    var time = context.currentTime - (context.baseLatency || 0) -
      (context.outputLatency || FFXMusic.unreported);
    if (context.getOutputTimestamp) {
      var stamp = context.getOutputTimestamp();
      if (stamp.performanceTime > 0 && Math.abs(performance.now() - stamp.performanceTime) < 1000)
        time = stamp.contextTime + (performance.now() - stamp.performanceTime) / 1000;
    }
    FFXMusic.heard = Math.max(FFXMusic.heard, (time - FFXMusic.begin) * 48000);
    return FFXMusic.heard;
  },

  ffx_web_music_pause__deps: ['$FFXMusic'],
  ffx_web_music_pause: function(paused) {
    if (paused) FFXMusic.context.suspend();
    else FFXMusic.context.resume();
  },
});
