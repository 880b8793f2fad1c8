-- Renders 2 s of the table tone through a track in a headless session and exports the master
-- bus as 32-bit float WAV (float32.preset) to OUT_DIR/export.wav, at 1024 frames per cycle.
-- args: PLUGIN OUT_DIR, PLUGIN being the VST3 class id, or "-" for the dry reference.
-- The plug-in's values keep every smoothed control where a fresh instance starts it (PreAmp and
-- PreBand 0, Color 0, PostGain 1), so the silent cycles before the export change no state; the
-- post filter (PostFilter 1) and the shaper still change the sound.
local plugin_id, out_dir = arg[1], arg[2]
ARDOUR.config():set_hide_dummy_backend(false)
assert(AudioEngine:set_backend("None (Dummy)", "", ""))
assert(AudioEngine:set_buffer_size(1024) == 0)
assert(create_session(out_dir .. "/session", "render", 48000))
local track = Session:new_audio_track(2, 2, nil, 1, "Tone", -1, ARDOUR.TrackMode.Normal, true):front()
local tone = ARDOUR.LuaAPI.new_luaproc(Session, "Vorra Table Tone")
assert(not tone:isnil(), "the table tone script was not found")
track:add_processor_by_index(tone, 0, nil, true)
if plugin_id ~= "-" then
  -- A nil plug-in must never be used: Ardour ends with a segmentation fault.
  local p = ARDOUR.LuaAPI.new_plugin(Session, plugin_id, ARDOUR.PluginType.VST3, "")
  assert(not p:isnil(), "new_plugin failed")
  local plugin = p:to_insert():plugin(0)
  print("plugin", plugin:name(), plugin:unique_id(), "parameters", plugin:parameter_count())
  for index, value in ipairs({0, 0, 0, 0, 1, 1}) do
    assert(ARDOUR.LuaAPI.set_processor_param(p, index - 1, value))
  end
  track:add_processor_by_index(p, 1, nil, true)
end
local export = Session:simple_export()
export:set_folder(out_dir)
export:set_range(0, 2 * 48000)
assert(export:set_preset("b1a2c3d4-0000-4000-8000-00000000f032"))
print("export", export:run_export())
