ardour {
	["type"]    = "dsp",
	name        = "Vorra Test Recorder",
	category    = "Utility",
	license     = "MIT",
	author      = "Vorra OverDrive tests",
	description = [[Passes audio through and, while the transport rolls, keeps the frames at positions 0 to CAPACITY-1 in shared memory: int 0 = frames kept (highest position + 1), int 1 = process calls, rolling or not, floats from 2 interleaved.]]
}

local CAPACITY = 262144 -- frames

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_init (rate)
	self:shmem():allocate(2 + 2 * CAPACITY)
	self:shmem():clear()
end

function dsp_run (ins, outs, n_samples)
	for c = 1, 2 do
		if not ins[c]:sameinstance(outs[c]) then
			ARDOUR.DSP.copy_vector(outs[c], ins[c], n_samples)
		end
	end
	local shm = self:shmem()
	shm:atomic_set_int(1, shm:atomic_get_int(1) + 1)
	if not Session:transport_rolling() then return end
	local at = Session:transport_sample()
	local data = shm:to_float(2):array()
	for c = 1, 2 do
		local input = ins[c]:array()
		for s = 1, n_samples do
			local frame = at + s - 1
			if frame >= 0 and frame < CAPACITY then data[1 + 2 * frame + (c - 1)] = input[s] end
		end
	end
	local top = math.min(at + n_samples, CAPACITY)
	if top > shm:atomic_get_int(0) then shm:atomic_set_int(0, top) end
end
