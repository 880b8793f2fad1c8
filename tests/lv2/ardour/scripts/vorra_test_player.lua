ardour {
	["type"]    = "dsp",
	name        = "Vorra Test Player",
	category    = "Utility",
	license     = "MIT",
	author      = "Vorra OverDrive tests",
	description = [[Plays stereo frames from shared memory at transport positions 0 to N-1 and silence elsewhere. The session script fills the memory: int 0 = N, floats from 1 interleaved.]]
}

local CAPACITY = 262144 -- frames

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_init (rate)
	self:shmem():allocate(1 + 2 * CAPACITY)
	self:shmem():atomic_set_int(0, 0)
end

function dsp_run (ins, outs, n_samples)
	local shm = self:shmem()
	local frames = shm:atomic_get_int(0)
	local data = shm:to_float(1):array()
	local at = Session:transport_rolling() and Session:transport_sample() or -1
	for c = 1, 2 do
		local out = outs[c]:array()
		for s = 1, n_samples do
			local frame = at + s - 1
			out[s] = (at >= 0 and frame < frames) and data[1 + 2 * frame + (c - 1)] or 0
		end
	end
end
